#include "GeometryReport.h"
#include "MainForm.h"
#include "QtPrompts.h"

#include <QApplication>
#include <clocale>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Numbers on the wire and in files always use '.', whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("pulsepanel");
    // For tools and tests that drive the program through the X server.
    TGeometryReport::InstallFromEnvironment();

    TMainFormSetup setup;
    setup.Arguments = QApplication::arguments().mid(1);
    TQtPrompts prompts;
    TMainForm mainForm(prompts, setup);
    prompts.setParent(&mainForm);
    QApplication::setWindowIcon(mainForm.windowIcon());

    mainForm.FormCreate();
    // An exit or restart decided while the window was being created: quit() cannot work
    // before the message loop runs, so the loop is never entered.
    if (mainForm.State.Ending)
        return 0;
    mainForm.show();
    return app.exec();
}
