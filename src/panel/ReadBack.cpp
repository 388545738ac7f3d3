// Initialize: the instrument's whole state read into the panel by the session, which
// writes the controls through the window's view.
#include "MainForm.h"

#include "PlusSpinEdit.h"

void TMainForm::Initialize() {
    Session.ReadBack();
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
        ChDelayAdj[n]->setIncrement(r.DelayRange.Increment);
        ChDelayAdj[n]->setMaxValue(r.DelayRange.MaxValue);
        ChDelayAdj[n]->setMinValue(r.DelayRange.MinValue);
        ChDelayAdj[n]->setDecimals(r.DelayRange.Decimals);
        ChWidthAdj[n]->setIncrement(r.WidthRange.Increment);
        ChWidthAdj[n]->setMaxValue(r.WidthRange.MaxValue);
        ChWidthAdj[n]->setMinValue(r.WidthRange.MinValue);
        ChWidthAdj[n]->setDecimals(r.WidthRange.Decimals);
        ChBurstAdj[n]->setMaxValue(r.CountLimits.ChannelBurstMax);
        ChDutyOnAdj[n]->setMaxValue(r.CountLimits.ChannelDutyMax);
        ChDutyOffAdj[n]->setMaxValue(r.CountLimits.ChannelDutyMax);
        ChWaitCountAdj[n]->setMaxValue(r.CountLimits.ChannelWaitMax);
    }
}
