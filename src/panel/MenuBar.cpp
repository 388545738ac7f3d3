// The menu bar: File, Storage, Tools and Help with every item named as in the form.
#include "MainForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu *NewMenu(QMenuBar *bar, const QString &name, const QString &caption) {
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + "Action");
    return menu;
}

QMenu *NewSubmenu(QMenu *parent, const QString &name, const QString &caption) {
    QMenu *menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + "Action");
    return menu;
}

QAction *NewItem(QMenu *menu, const QString &name, const QString &caption) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

void TMainForm::BuildMenuBar() {
    QMenuBar *bar = menuBar();
    bar->setObjectName("MainMenu");

    File1 = NewMenu(bar, "File1", "File");
    Exit1 = NewItem(File1, "Exit1", "Exit");
    R1 = NewItem(File1, "R1", "Restart App");

    Storage1 = NewMenu(bar, "Storage1", "Storage");
    SaveToBin = NewSubmenu(Storage1, "SaveToBin", "Save To Bin");
    BinSave[1] = NewItem(SaveToBin, "BinSave1", "1");
    RestoreFromBin = NewSubmenu(Storage1, "RestoreFromBin", "Restore From Bin");
    BinRestore[0] = NewItem(RestoreFromBin, "BinRestore0", "Default 0");
    BinRestore[1] = NewItem(RestoreFromBin, "BinRestore1", "1");
    SaveToFile1 = NewItem(Storage1, "SaveToFile1", "Save Settings To File");
    RestoreSettingsFromFile1 =
        NewItem(Storage1, "RestoreSettingsFromFile1", "Restore Settings From File");

    ools1 = NewMenu(bar, "ools1", "Tools");
    Up1 = NewItem(ools1, "Up1", "Refresh");
    CaptureScreenShot1 = NewItem(ools1, "CaptureScreenShot1", "Capture Screen Shot");
    EnableLoggingMenu = NewItem(ools1, "EnableLoggingMenu", "Logging Enabled");
    EnableLoggingMenu->setCheckable(true);
    ServiceMenu = NewItem(ools1, "ServiceMenu", "Service");
    ServiceWindowMenu = NewItem(ools1, "ServiceWindowMenu", "Service Window");
    ServiceWindowMenu->setVisible(false);
    TimingDiagram1 = NewItem(ools1, "TimingDiagram1", "Timing Diagram");

    Help1 = NewMenu(bar, "Help1", "Help");
    WebSite1 = NewItem(Help1, "WebSite1", "Web Site");
    About1 = NewItem(Help1, "About1", "About");
}
