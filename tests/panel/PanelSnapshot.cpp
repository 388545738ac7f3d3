// Draws the main window with N channel tabs into a PNG: panel_snapshot N out.png [page]
#include "MainForm.h"
#include "PageControl.h"
#include "ScriptedPrompts.h"
#include "TestApplication.h"

#include <QLabel>

#include <QApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char **argv) {
    TTestApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: panel_snapshot channels out.png [system page]\n");
        return 2;
    }
    TScriptedPrompts prompts;
    TMainForm form(prompts);
    form.ShowDemoState();
    form.HTXBanner->show();
    form.CreateChannelTabs(QString(argv[1]).toInt());
    if (argc > 3)
        form.SystemPageControl->setCurrentIndex(QString(argv[3]).toInt());
    form.show();
    app.processEvents();
    return form.grab().save(argv[2]) ? 0 : 1;
}
