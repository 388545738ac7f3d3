#include "CalibrationFile.h"

#include "AppState.h"
#include "CalibrationReadBack.h"
#include "Exchange.h"
#include "MessageForm.h"
#include "PortRule.h"
#include "ServiceForm.h"
#include "ServiceTexts.h"
#include "Session.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QScopeGuard>
#include <QThread>

TCalibrationFile::TCalibrationFile(TServiceForm &form, TCalibrationReadBack &readBack,
                                   const TServiceLinks &links)
    : QObject(&form), FForm(form), FReadBack(readBack), FLinks(links),
      FSequence(Seams(), links.Prompts) {
    connect(&FForm.CalTimer, &QTimer::timeout, this,
            [this] { FLinks.Guarded([this] { CalTimerTimer(); }); });
    connect(FForm.SaveCalsBtn, &QPushButton::clicked, this,
            [this] { FLinks.Guarded([this] { SaveCalsBtnClick(); }); });
    connect(FForm.LoadCalsBtn, &QPushButton::clicked, this,
            [this] { FLinks.Guarded([this] { LoadCalsBtnClick(); }); });
}

TSettingsFileSeams TCalibrationFile::Seams() {
    TSettingsFileSeams s;
    s.SendCommand = [this](const QByteArray &line) { FLinks.Session.SendLine(line); };
    s.Pause = [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); };
    s.ProcessEvents = [] { QCoreApplication::processEvents(); };
    s.ShowMessageWindow = [this](const QString &label) { FLinks.MessageForm.ShowMessage(label); };
    s.CloseMessageWindow = [this] { FLinks.MessageForm.hide(); };
    s.ReadBack = [this] { return ReadBackAfterLoad(); };
    s.SettingsLines = [this] { return FLinks.State.CalibrationList; };
    s.Ending = [this] { return FLinks.State.Ending; };
    s.PortGone = [this] { return FLinks.State.Link.PortGone; };
    s.SaveCaption = QString::fromLatin1(ServiceTexts::SaveDialogCaption);
    s.LastOpenedFile = &FLinks.State.LastOpenedFile;
    return s;
}

// After a load the load no longer holds the port: the read-back shows what the
// instrument now has. For a save it is the fresh read-back the file is written from.
bool TCalibrationFile::ReadBackAfterLoad() {
    FLinks.State.CalLoadPending = false;
    FLinks.State.CalLoadActive = false;
    return FReadBack.ServiceInitialize();
}

void TCalibrationFile::Defer() {
    if (!FForm.CalTimer.isActive())
        FForm.CalTimer.start();
}

TCalibrationFile::TOutcome TCalibrationFile::SaveCalsBtnClick() {
    FSavePending = false;
    switch (FLinks.Rule.Ask(TPortRule::TActivity::CalRetrieve)) {
    case TPortRule::TAccess::Refuse:
        return TOutcome::Ended;
    case TPortRule::TAccess::Wait:
        FSavePending = true;
        FLinks.State.CalRetrievePending = true; // holds the status poll back meanwhile
        Defer();
        return TOutcome::Deferred;
    case TPortRule::TAccess::Start:
        break;
    }
    return FSequence.Save();
}

TCalibrationFile::TOutcome TCalibrationFile::LoadCalsBtnClick() {
    return LoadCalibrations();
}

TCalibrationFile::TOutcome TCalibrationFile::LoadCalibrations() {
    TAppState &s = FLinks.State;
    s.CalLoadPending = true;
    switch (FLinks.Rule.Ask(TPortRule::TActivity::CalLoad)) {
    case TPortRule::TAccess::Refuse:
        s.CalLoadPending = false;
        return TOutcome::Ended;
    case TPortRule::TAccess::Wait:
        Defer();
        return TOutcome::Deferred;
    case TPortRule::TAccess::Start:
        break;
    }
    FForm.CalTimer.stop();
    s.CalLoadActive = true;
    // Cancelled, unreadable or stopped: the load ends all the same.
    const auto release = qScopeGuard([&] {
        s.CalLoadPending = false;
        s.CalLoadActive = false;
        FLinks.MessageForm.hide();
    });
    return FSequence.Restore();
}

void TCalibrationFile::CalTimerTimer() {
    FForm.CalTimer.stop();
    if (FLinks.State.CalLoadPending)
        LoadCalibrations();
    if (FSavePending)
        SaveCalsBtnClick();
    if (FLinks.State.CalRetrievePending && !FForm.CalTimer.isActive())
        FReadBack.RetrieveCals();
}
