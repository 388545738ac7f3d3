#pragma once

#include "ServiceLinks.h"

#include <QString>

class TServiceForm;

// Everything the instrument holds for service, read into the service window and into the
// calibration list (the lines of the calibration file): serial number, badge, channel
// count, the six trigger/gate factors and four factors per channel.
class TCalibrationReadBack {
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
    void ReadIdentity();
    void ReadInputCals();
    void ReadChannelCals(int n);
    std::int32_t QueryCal(const QString &query);

    TServiceForm &FForm;
    TServiceLinks FLinks;
};
