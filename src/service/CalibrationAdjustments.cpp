#include "CalibrationAdjustments.h"

#include "AppState.h"
#include "Commands.h"
#include "ConfigRecords.h"
#include "ConversionError.h"
#include "Keywords.h"
#include "NumberFormat.h"
#include "PlusSpinEdit.h"
#include "Prompts.h"
#include "RadioGroup.h"
#include "ServiceCommands.h"
#include "ServiceForm.h"
#include "ServiceTexts.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Instrument;

TCalibrationAdjustments::TCalibrationAdjustments(TServiceForm &form, const TServiceLinks &links)
    : QObject(&form), FForm(form), FLinks(links) {
    WireInputCals();
    WireChannelCals();
    const auto click = [this](QPushButton *button, void (TCalibrationAdjustments::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { FLinks.Guarded([&] { (this->*handler)(); }); });
    };
    click(FForm.SerialNumSetBtn, &TCalibrationAdjustments::SerialNumSetBtnClick);
    click(FForm.StoreCalsBtn, &TCalibrationAdjustments::StoreCalsBtnClick);
    click(FForm.OptimizeCals, &TCalibrationAdjustments::OptimizeCalsClick);
    connect(FForm.CompanySel, &TRadioGroup::itemSelected, this,
            [this] { FLinks.Guarded([this] { CompanySelClick(); }); });
    connect(FForm.NumChSelect, &TRadioGroup::itemSelected, this,
            [this] { FLinks.Guarded([this] { NumChSelectClick(); }); });
}

void TCalibrationAdjustments::Queue(const QString &command) {
    FLinks.QueueCommand(command);
    FForm.ShowReminder(true);
}

void TCalibrationAdjustments::WireInputCals() {
    TTrigGateSettings &m = FLinks.State.TrigGateSettings;
    struct TInputCal {
        TPlusSpinEdit *Spin;
        TCalInput Input;
        TCalFactor Factor;
        std::int32_t *Field;
    };
    const TInputCal cals[] = {
        {FForm.Trig1AmpGainAdj, TCalInput::Trigger1, TCalFactor::Gain, &m.Trig1Gain},
        {FForm.Trig1AmpOffAdj, TCalInput::Trigger1, TCalFactor::Offset, &m.Trig1Offset},
        {FForm.TrigGate2AmpGainAdj, TCalInput::TrigGate2, TCalFactor::Gain, &m.TrigGate2Gain},
        {FForm.TrigGate2AmpOffAdj, TCalInput::TrigGate2, TCalFactor::Offset, &m.TrigGate2Offset},
        {FForm.Gate1AmpGainAdj, TCalInput::Gate1, TCalFactor::Gain, &m.Gate1Gain},
        {FForm.Gate1AmpOffAdj, TCalInput::Gate1, TCalFactor::Offset, &m.Gate1Offset},
    };
    for (const TInputCal &c : cals) {
        c.Spin->OnChange = [this, c](TPlusSpinEdit *sender) {
            FLinks.Guarded([&] {
                const std::int32_t value = CalValueOf(sender->Value());
                *c.Field = value;
                Queue(InputCalCommand(c.Input, c.Factor, value));
            });
        };
    }
}

// Channel 1's entries; the pages built later copy these handlers.
void TCalibrationAdjustments::WireChannelCals() {
    using THandler = void (TCalibrationAdjustments::*)(TPlusSpinEdit *);
    const auto wire = [this](TPlusSpinEdit *spin, THandler handler) {
        spin->OnChange = [this, handler](TPlusSpinEdit *sender) {
            FLinks.Guarded([&] { (this->*handler)(sender); });
        };
    };
    wire(FForm.ChDelayCalAdj[1], &TCalibrationAdjustments::SetChDelayCal);
    wire(FForm.ChWidthCalAdj[1], &TCalibrationAdjustments::SetChWidthCal);
    wire(FForm.ChAmpGainAdj[1], &TCalibrationAdjustments::SetChAmpGainCal);
    wire(FForm.ChAmpOffAdj[1], &TCalibrationAdjustments::SetChAmpOffCal);
}

// A delay change moves the width by the same amount, within the width entry's limits.
void TCalibrationAdjustments::SetChDelayCal(TPlusSpinEdit *sender) {
    const int n = NumberFromName(sender->objectName());
    if (n < 1 || n > TServiceForm::MaxChannels)
        return;
    TChannelSettings &m = FLinks.State.ChannelSettings[n];
    const std::int32_t value = CalValueOf(sender->Value());
    m.WidthCal = m.WidthCal + value - m.DelayCal;
    m.DelayCal = value;
    Queue(ChannelCalCommand(n, TChannelCal::Delay, value));
    TPlusSpinEdit *width = FForm.ChWidthCalAdj[n];
    if (!width)
        return;
    m.WidthCal = qMin(m.WidthCal, CalValueOf(width->MaxValue()));
    m.WidthCal = qMax(m.WidthCal, CalValueOf(width->MinValue()));
    width->setValue(m.WidthCal);
}

void TCalibrationAdjustments::SetChWidthCal(TPlusSpinEdit *sender) {
    SetChannelCal(sender, TChannelCal::Width, &TChannelSettings::WidthCal);
}

void TCalibrationAdjustments::SetChAmpGainCal(TPlusSpinEdit *sender) {
    SetChannelCal(sender, TChannelCal::AmpGain, &TChannelSettings::AmpGainCal);
}

void TCalibrationAdjustments::SetChAmpOffCal(TPlusSpinEdit *sender) {
    SetChannelCal(sender, TChannelCal::AmpOffset, &TChannelSettings::AmpOffsetCal);
}

// The channel comes from the sender's name (ChAmpGainAdj12 serves channel 12).
void TCalibrationAdjustments::SetChannelCal(TPlusSpinEdit *sender, TChannelCal kind,
                                            std::int32_t TChannelSettings::*field) {
    const int n = NumberFromName(sender->objectName());
    if (n < 1 || n > TServiceForm::MaxChannels)
        return;
    const std::int32_t value = CalValueOf(sender->Value());
    FLinks.State.ChannelSettings[n].*field = value;
    Queue(ChannelCalCommand(n, kind, value));
}

void TCalibrationAdjustments::SerialNumSetBtnClick() {
    const QString text = FForm.SerialNumEdit->text();
    const std::optional<std::int32_t> serial = ParseInt32(text);
    if (!serial)
        throw TConversionError(NotAnIntegerMessage(text));
    FLinks.State.Identity.SerialNumber = *serial;
    Queue(SerialNumberCommand(*serial));
}

void TCalibrationAdjustments::CompanySelClick() {
    SetBadge();
}

void TCalibrationAdjustments::NumChSelectClick() {
    if (SetBadge())
        FForm.ShowReminder(true);
}

bool TCalibrationAdjustments::SetBadge() {
    TAppState &s = FLinks.State;
    const int badge = FForm.CompanySel->ItemIndex();
    if (badge < 0) {
        // ":SYST:BAD -1 n" would be refused by the instrument; a read-back that selects
        // the channel count before any company has nobody to tell.
        if (!s.Link.CommandsDisabled)
            FLinks.Prompts.Message(QString::fromLatin1(ServiceTexts::NoCompanySelected),
                                   TPrompts::mbOK, TPrompts::iconInformation);
        return false;
    }
    s.Badge = badge;
    const int count = ChannelCountOfItem(FForm.NumChSelect->ItemIndex());
    if (count > 0)
        s.ChannelCount = count;
    Queue(BadgeCommand(s.Badge, s.ChannelCount));
    return true;
}

// The reminder stays when the command was discarded: nothing was stored.
void TCalibrationAdjustments::StoreCalsBtnClick() {
    if (FLinks.QueueCommand(StoreCalsCommand))
        FForm.ShowReminder(false);
}

void TCalibrationAdjustments::OptimizeCalsClick() {
    FLinks.QueueCommand(OptimizeCalsCommand);
    FLinks.State.CalRetrievePending = true;
    if (!FForm.CalTimer.isActive())
        FForm.CalTimer.start();
}
