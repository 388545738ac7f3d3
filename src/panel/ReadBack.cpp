// Initialize: the instrument's whole state read into the panel by the session, which
// writes the controls through the window's view.
#include "MainForm.h"

#include "PlusSpinEdit.h"

namespace {

void ApplyChannelRange(TPlusSpinEdit *edit, const Instrument::TValueRange &range) {
    edit->setIncrement(range.Increment);
    edit->setMaxValue(range.MaxValue);
    edit->setMinValue(range.MinValue);
    edit->setDecimals(range.Decimals);
}

} // namespace

void TMainForm::Initialize() {
    FSession.ReadBack();
}

void TMainForm::SetResolutionRanges() {
    const Instrument::TValueRanges &r = State.ValueRanges;
    PeriodAdj->setIncrement(r.PeriodRange.Increment);
    PeriodAdj->setDecimals(r.PeriodRange.Decimals);
    PeriodAdj->setMaxValue(r.PeriodRange.MaxValue);
    PeriodAdj->setMinValue(r.PeriodRange.MinValue);
    SysBurstAdj->setMaxValue(r.CountLimits.SystemBurstMax);
    SysDutyOnAdj->setMaxValue(r.CountLimits.SystemDutyMax);
    SysDutyOffAdj->setMaxValue(r.CountLimits.SystemDutyMax);
    SysCycleCountAdj->setMaxValue(r.CountLimits.SystemCycleMax);
    for (int n = 1; n <= State.ChannelCount && n <= MaxChannels; ++n) {
        if (!ChDelayAdj[n])
            continue;
        ApplyChannelRange(ChDelayAdj[n], r.DelayRange);
        ApplyChannelRange(ChWidthAdj[n], r.WidthRange);
        ChBurstAdj[n]->setMaxValue(r.CountLimits.ChannelBurstMax);
        ChDutyOnAdj[n]->setMaxValue(r.CountLimits.ChannelDutyMax);
        ChDutyOffAdj[n]->setMaxValue(r.CountLimits.ChannelDutyMax);
        ChWaitCountAdj[n]->setMaxValue(r.CountLimits.ChannelWaitMax);
    }
}
