#pragma once

#include "ServiceLinks.h"
#include "SettingsFileSequence.h"

#include <QObject>

class TCalibrationReadBack;
class TServiceForm;

// "Save Cals To File" and "Load Cals From File", and the retry timer that runs service
// work deferred while another exchange held the port. The file has the settings file's
// form (one command per line, "//" comments) and goes through the same reader, writer and
// replay.
class TCalibrationFile : public QObject {
    Q_OBJECT
public:
    using TOutcome = TSettingsFileSequence::TOutcome;

    TCalibrationFile(TServiceForm &form, TCalibrationReadBack &readBack,
                     const TServiceLinks &links);

    // A fresh read-back, then the save dialog and the file. While the port is taken the
    // whole save waits for CalTimer, so that only a completed read-back is written.
    TOutcome SaveCalsBtnClick();
    TOutcome LoadCalsBtnClick();
    TOutcome LoadCalibrations();
    void CalTimerTimer();

    bool SavePending() const { return FSavePending; }

private:
    TSettingsFileSeams Seams();
    bool ReadBackAfterLoad();
    void Defer();

    TServiceForm &FForm;
    TCalibrationReadBack &FReadBack;
    TServiceLinks FLinks;
    TSettingsFileSequence FSequence;
    bool FSavePending = false;
};
