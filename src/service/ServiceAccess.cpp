#include "ServiceAccess.h"

#include "AppState.h"
#include "CalibrationReadBack.h"
#include "Prompts.h"
#include "ServiceCommands.h"
#include "ServiceForm.h"
#include "ServiceTexts.h"

#include <QAction>

using namespace ServiceTexts;

TServiceAccess::TServiceAccess(TServiceForm &form, TCalibrationReadBack &readBack,
                               QAction &serviceMenu, QAction &serviceWindowMenu,
                               const TServiceLinks &links)
    : QObject(&form), FForm(form), FReadBack(readBack), FServiceWindowMenu(serviceWindowMenu),
      FLinks(links) {
    connect(&serviceMenu, &QAction::triggered, this,
            [this] { FLinks.Guarded([this] { ServiceMenuClick(); }); });
    connect(&serviceWindowMenu, &QAction::triggered, this,
            [this] { FLinks.Guarded([this] { ServiceWindowMenuClick(); }); });
}

// The code is only compared here; the read-back unsecures the instrument itself.
void TServiceAccess::ServiceMenuClick() {
    QString code;
    const bool entered = FLinks.Prompts.InputBox(QString::fromLatin1(CodeCaption),
                                                 QString::fromLatin1(CodePrompt), code);
    TAppState &s = FLinks.State;
    if (s.Ending)
        return;
    if (entered && code.toLatin1() == Instrument::AccessCode.toLatin1()) {
        FLinks.Prompts.Message(QString::fromLatin1(CodeAccepted));
        s.ServiceUnlockRequested = true;
        return;
    }
    FLinks.Prompts.Message(QString::fromLatin1(CodeRefused));
    s.InstrumentUnsecured = false;
    s.ServiceUnlockRequested = false;
    FServiceWindowMenu.setVisible(false);
    FForm.hide();
}

void TServiceAccess::ServiceWindowMenuClick() {
    ShowWindow();
}

void TServiceAccess::OpenServiceWindow() {
    FServiceWindowMenu.setVisible(true);
    ShowWindow();
}

// Shown first: a read-back deferred by a running poll fills the window 100 ms later.
void TServiceAccess::ShowWindow() {
    FReadBack.ServiceInitialize();
    if (FLinks.State.Ending)
        return;
    FForm.show();
    FForm.raise();
    FForm.activateWindow();
}
