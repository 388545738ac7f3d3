#include "MainForm.h"
#include "MessageForm.h"
#include "QtPrompts.h"

#include <QApplication>
#include <QIcon>
#include <clocale>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Numbers on the wire and in files always use '.', whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("pulsepanel");

    TQtPrompts prompts;
    TMainForm mainForm(prompts);
    prompts.setParent(&mainForm);
    TMessageForm messageForm;
    QApplication::setWindowIcon(mainForm.windowIcon());

    // No instrument logic yet: the window shows its demo state.
    mainForm.ShowDemoState();
    mainForm.show();
    return app.exec();
}
