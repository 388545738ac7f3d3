#pragma once

#include "ServiceCommands.h"
#include "ServiceLinks.h"
#include "Settings.h"

#include <QObject>

class TPlusSpinEdit;
class TServiceForm;

// What the user changes in the service window: every change goes to the command queue at
// once and raises the store reminder; "Store Cals" has the instrument keep the factors.
class TCalibrationAdjustments : public QObject {
    Q_OBJECT
public:
    TCalibrationAdjustments(TServiceForm &form, const TServiceLinks &links);

    void SetChDelayCal(TPlusSpinEdit *sender);
    void SetChWidthCal(TPlusSpinEdit *sender);
    void SetChAmpGainCal(TPlusSpinEdit *sender);
    void SetChAmpOffCal(TPlusSpinEdit *sender);
    // The serial number text must be a whole number; otherwise a conversion error.
    void SerialNumSetBtnClick();
    void CompanySelClick();
    void NumChSelectClick();
    // Badge and channel count go out together; nothing is sent without a company.
    bool SetBadge();
    void StoreCalsBtnClick();
    void OptimizeCalsClick();

private:
    void WireInputCals();
    void WireChannelCals();
    void Queue(const QString &command);
    void SetChannelCal(TPlusSpinEdit *sender, Instrument::TChannelCal kind,
                       std::int32_t Instrument::TChannelSettings::*field);

    TServiceForm &FForm;
    TServiceLinks FLinks;
};
