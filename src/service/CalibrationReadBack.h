#pragma once

#include "ServiceLinks.h"
#include "SessionView.h"

#include <QString>

class TServiceForm;

// Everything the instrument holds for service, read into the service window and into the
// calibration list (the lines of the calibration file): serial number, badge, channel
// count, the six trigger/gate factors and four factors per channel. The session reads;
// this writes what it read into the window's controls.
class TCalibrationReadBack : private TCalibrationView {
public:
    TCalibrationReadBack(TServiceForm &form, const TServiceLinks &links);

    // Builds the missing calibration pages, hides the store reminder, runs RetrieveCals.
    // True when the read-back ran to its end now.
    bool ServiceInitialize();
    // False when it was deferred to CalTimer (another exchange holds the port) or the
    // program is ending.
    bool RetrieveCals();

    static QString ChannelMessage(int n); // "Initializing Ch 3 Cals"

private:
    void ShowProgress(int channel) override;
    void HideProgress() override;
    int PrepareChannels(int channelCount) override;
    void ShowSerialNumber(qint32 serial) override;
    bool AcceptsBadge(int badge) const override;
    void ShowBadge(int badge) override;
    void ShowChannelCount(int channelCount) override;
    void ShowInputCal(int index, qint32 value) override;
    void ShowChannelCal(int n, int kind, qint32 value) override;

    TServiceForm &FForm;
    TServiceLinks FLinks;
};
