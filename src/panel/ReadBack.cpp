// Initialize: the instrument's whole state read into the panel.
#include "MainForm.h"

#include "CheckListBox.h"
#include "Commands.h"
#include "CommandsDisabledScope.h"
#include "ConfigRecords.h"
#include "ConversionError.h"
#include "Keywords.h"
#include "MessageForm.h"
#include "ModelTable.h"
#include "PageControl.h"
#include "PanelTexts.h"
#include "PlusSpinEdit.h"
#include "SettingsLines.h"
#include "SingleValues.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScopeGuard>
#include <optional>

namespace {

// Thrown when the program starts ending in the middle of a read-back (a lost reply
// answered with a restart, the window closed during a wait), or when the port is gone:
// the rest is skipped quietly.
struct TReadBackEnded {};

void SetGroupAndSpinEnabled(QGroupBox *group, TPlusSpinEdit *spin, bool on) {
    if (group)
        group->setEnabled(on);
    if (spin)
        spin->setInputEnabled(on);
}

} // namespace

void TMainForm::Initialize() {
    ++State.ReadBackActive;
    const auto lower = qScopeGuard([this] { --State.ReadBackActive; });

    State.SettingsList.clear();
    State.SettingsList << Instrument::DateLine(QDateTime::currentDateTime());
    ShotCountlbl->setText("Count: ----");

    if (State.Link.DemoMode) {
        StopStatusTimer();
        ShowDemoState();
        return;
    }
    try {
        ReadBackLive();
    } catch (const TReadBackEnded &) {
        // Ending: nothing more to read or show. Port gone: the poll asks what to do next.
        if (!State.Ending)
            AbortReadBack();
    } catch (const Instrument::TConversionError &) {
        AbortReadBack();
        throw;
    }
}

// A read-back stopped by a field that does not convert, or by a port that is gone. Left
// as it was, the panel would
// look alive but drop every change (CommandsDisabled up) and never poll again, and a
// refresh or recall still requested would run the failing read-back at every task tick.
// So: commands on (the scope guard has restored the flag), polling on, message window
// closed, the request dropped; the caller's handler guard then shows the error. A later
// Refresh reads everything again.
void TMainForm::AbortReadBack() {
    State.RefreshRequested = false;
    State.RecallPending = false;
    StartStatusTimer();
    MessageForm->hide();
}

void TMainForm::EndReadBackIfCut() const {
    if (State.Ending || State.Link.PortGone)
        throw TReadBackEnded();
}

QString TMainForm::ReadBackQuery(const QString &query) {
    EndReadBackIfCut();
    const QString reply = Exchange.SendQuery(query.toLatin1());
    EndReadBackIfCut();
    return reply;
}

qint32 TMainForm::ReadBackInteger(const QString &query) {
    return ReadBackIntegerReply(query).value_or(0);
}

std::optional<qint32> TMainForm::ReadBackIntegerReply(const QString &query) {
    EndReadBackIfCut();
    const std::optional<qint32> value = Exchange.QueryIntegerReply(query.toLatin1());
    EndReadBackIfCut();
    return value;
}

void TMainForm::ReadBackLive() {
    StopStatusTimer();
    std::optional<TCommandsDisabledScope> commandsDisabled(std::in_place, State.Link);

    const bool showProgress = State.RecallPending || State.RefreshRequested;
    if (showProgress)
        MessageForm->ShowMessage("Initializing System");
    QCoreApplication::processEvents();
    EndReadBackIfCut();

    ShowIdentity();

    State.ChannelCount = Instrument::ModelChannelCount(State.Identity.ModelNumber);
    TCheckListBox *mux1 = ChMuxSelect[1];
    if (State.ChannelCount < 12 && mux1->count() > Instrument::MuxItemCountSmall)
        delete mux1->takeItem(Instrument::MuxItemCountSmall);
    if (!State.TabsCreated)
        CreateChannelTabs(State.ChannelCount);
    if (!State.BinsCreated)
        UpdateStorageBins();
    QCoreApplication::processEvents();
    EndReadBackIfCut();

    State.ValueRanges = Instrument::ChooseValueRanges(State.ChannelCount);
    SetResolutionRanges();
    ParseSystemParameters();
    ParseTrigGateParameters();
    ReadSingleValues();
    for (int n = 1; n <= State.ChannelCount; ++n) {
        MessageForm->MessageLabel->setText("Initializing Ch " + QString::number(n));
        ParseChannelParameters(n);
        ChModesEnable(n);
    }
    SetResolutionRanges();
    commandsDisabled.reset();

    PeriodAdj->setInputEnabled(true);
    ChPageControl->setCurrentIndex(0);
    SystemPageControl->setCurrentIndex(0);
    SystemModesEnable();
    TriggerModesEnable();
    GateModesEnable();
    StartStatusTimer();
    if (showProgress || State.RecallPending || State.RefreshRequested)
        MessageForm->hide();
    SystemPageControl->setVisible(true);
    ChPageControl->setVisible(true);
}

// Brand, caption, identity labels and their comment lines.
void TMainForm::ShowIdentity() {
    const Instrument::TIdentity &id = State.Identity;
    const Instrument::TBrandInfo brand = Instrument::BrandInfo(id.Manufacturer);
    if (brand.Banner == Instrument::TBanner::VKBlue) {
        VKBlueBanner->show();
        HTXBanner->hide();
    } else if (brand.Banner == Instrument::TBanner::HTX) {
        VKBlueBanner->hide();
        HTXBanner->show();
    }
    const QString caption = WindowCaption(brand.CompanyName, id.ModelNumber,
                                          VersionInfo.FileVersion, ComPort.Port(), ComPort.Baud());
    setWindowTitle(caption);
    SerialNumberlbl->setText(Instrument::SerialNumberLabel(id.SerialNumber));
    FWVersionlbl->setText(Instrument::FirmwareLabel(id.FirmwareVersion));
    FPGAVersionlbl->setText(Instrument::FPGALabel(id.FPGAVersion));
    State.SettingsList << Instrument::CommentLine(caption)
                       << Instrument::CommentLine(SerialNumberlbl->text())
                       << Instrument::CommentLine(FWVersionlbl->text())
                       << Instrument::CommentLine(FPGAVersionlbl->text());
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

void TMainForm::ParseSystemParameters() {
    using namespace Instrument;
    const QString reply = ReadBackQuery(Query::SystemRecord);
    State.SettingsList << RecordLine(SystemRecordNumber, reply);
    TSystemSettings &m = State.SystemSettings;
    const bool wasRunning = m.SystemRunning;
    const TRecordStatus status = ParseSystemRecord(reply, m);
    if (status.Applied(sfRunState) && m.SystemRunning != wasRunning) {
        m.SystemRunning = wasRunning;
        SetSystemRunning(!wasRunning);
    }
    if (status.Applied(sfPeriod))
        PeriodAdj->setValue(m.Period);
    if (status.Applied(sfMode))
        SystemModeSel->setCurrentIndex(m.SystemMode);
    if (status.Applied(sfBurstCount))
        SysBurstAdj->setValue(m.BurstCount);
    if (status.Applied(sfDutyOnCount))
        SysDutyOnAdj->setValue(m.DutyOnCount);
    if (status.Applied(sfDutyOffCount))
        SysDutyOffAdj->setValue(m.DutyOffCount);
    if (status.Applied(sfCycleCount))
        SysCycleCountAdj->setValue(m.CycleCount);
    status.ThrowIfFailed();
}

void TMainForm::ParseTrigGateParameters() {
    using namespace Instrument;
    TTrigGateSettings &m = State.TrigGateSettings;
    // Trigger and gate records share their layout: mode, edge or logic, level, debounce.
    static_assert(int(tfMode) == int(gfMode) && int(tfEdge) == int(gfLogic) &&
                  int(tfLevel) == int(gfLevel) && int(tfDebounce) == int(gfDebounce));
    using TParse = TRecordStatus (*)(int, const QString &, TTrigGateSettings &);
    struct TInputControls {
        int Record, Input;
        TParse Parse;
        QComboBox *Mode, *EdgeOrLogic, *Debounce;
        TPlusSpinEdit *Level;
        std::int32_t &ModeField, &EdgeOrLogicField, &DebounceField;
        double &LevelField;
    };
    const TInputControls inputs[] = {
        {Trigger1Record, 1, ParseTriggerRecord, TrigModeSel1, TriggerEdgeSel1, TrigDebounceSel1,
         TrigThresholdAdj1, m.Trig1Mode, m.Trig1Edge, m.Trig1Debounce, m.Trig1Level},
        {Trigger2Record, 2, ParseTriggerRecord, TrigModeSel2, TriggerEdgeSel2, TrigDebounceSel2,
         TrigGateThresholdAdj2, m.Trig2Mode, m.Trig2Edge, m.Trig2Debounce, m.TrigGate2Level},
        {Gate1Record, 1, ParseGateRecord, GateModeSel1, GateLogicSel1, GateDebounceSel1,
         GateThresholdAdj1, m.Gate1Mode, m.Gate1Logic, m.Gate1Debounce, m.Gate1Level},
        {Gate2Record, 2, ParseGateRecord, GateModeSel2, GateLogicSel2, GateDebounceSel2,
         TrigGateThresholdAdj2, m.Gate2Mode, m.Gate2Logic, m.Gate2Debounce, m.TrigGate2Level},
    };
    for (const TInputControls &c : inputs) {
        const QString reply = ReadBackQuery(TrigGateRecordQuery(c.Record));
        State.SettingsList << RecordLine(c.Record, reply);
        const TRecordStatus status = c.Parse(c.Input, reply, m);
        if (status.Applied(tfMode))
            c.Mode->setCurrentIndex(c.ModeField);
        if (status.Applied(tfEdge))
            c.EdgeOrLogic->setCurrentIndex(c.EdgeOrLogicField);
        if (status.Applied(tfLevel))
            c.Level->setValue(c.LevelField);
        if (status.Applied(tfDebounce))
            c.Debounce->setCurrentIndex(c.DebounceField);
        status.ThrowIfFailed();
    }
}

// The seven options that have queries of their own, in the order the settings file
// keeps them.
void TMainForm::ReadSingleValues() {
    using namespace Instrument;
    TSystemSettings &m = State.SystemSettings;

    // Only an actual 0 unlocks: a lost or empty reply must not open the service window.
    const std::optional<qint32> secure = ReadBackIntegerReply(Query::Secure);
    State.InstrumentUnsecured = secure && IsUnsecured(*secure);
    ServiceWindowMenu->setVisible(State.InstrumentUnsecured);

    const qint32 autoStart = ReadBackInteger(Query::AutoStart);
    AutoStartEnbl->setChecked(IsCheckedReply(autoStart));
    State.SettingsList << AutoStartLine(autoStart);

    const QString inputClock = ReadBackQuery(Query::InputClock);
    ApplyInputClockReply(inputClock, m);
    ExternalInputClkSel->setCurrentIndex(m.InputClock);
    State.SettingsList << InputClockLine(inputClock);

    const QString outputClock = ReadBackQuery(Query::OutputClock);
    ApplyOutputClockReply(outputClock, m);
    ExternalOutputClkSel->setCurrentIndex(m.OutputClock);
    State.SettingsList << OutputClockLine(outputClock);

    const QString syncOutput = ReadBackQuery(Query::SyncOutput);
    ApplySyncOutputReply(syncOutput, m);
    SyncOutputSel->setCurrentIndex(m.SyncOutput);
    State.SettingsList << SyncOutputLine(syncOutput);

    const qint32 counterEnable = ReadBackInteger(Query::CounterEnable);
    ShotCountEnbl->setChecked(IsCheckedReply(counterEnable));
    State.SettingsList << CounterEnableLine(counterEnable);

    const QString counterSource = ReadBackQuery(Query::CounterSource);
    ApplyCounterSourceReply(counterSource, m);
    CounterSourceSel->setCurrentIndex(m.CounterSource);
    CounterSourceSel->setEnabled(true);
    State.SettingsList << CounterSourceLine(counterSource);
}

void TMainForm::ParseChannelParameters(int chnum) {
    using namespace Instrument;
    if (chnum < 1 || chnum > MaxChannels || !ChDelayAdj[chnum])
        return;
    const QString reply = ReadBackQuery(ChannelRecordQuery(chnum));
    State.SettingsList << RecordLine(chnum, reply);
    TChannelSettings &m = State.ChannelSettings[chnum];
    const TRecordStatus status = ParseChannelRecord(reply, m);
    const int n = chnum;
    for (int field = cfEnabled; field <= status.FieldsApplied; ++field) {
        switch (field) {
        case cfEnabled:
            ChEnablebox[n]->setChecked(m.Enabled == 1);
            break;
        case cfDelay:
            ChDelayAdj[n]->setValue(m.Delay);
            break;
        case cfWidth:
            ChWidthAdj[n]->setValue(m.Width);
            break;
        case cfMode:
            ChModeSel[n]->setCurrentIndex(m.Mode);
            break;
        case cfBurstCount:
            ChBurstAdj[n]->setValue(m.BurstCount);
            break;
        case cfDutyOnCount:
            ChDutyOnAdj[n]->setValue(m.DutyOnCount);
            break;
        case cfDutyOffCount:
            ChDutyOffAdj[n]->setValue(m.DutyOffCount);
            break;
        case cfWaitCount:
            ChWaitCountAdj[n]->setValue(m.WaitCount);
            break;
        case cfOutputMode:
            ChOutputModeSel[n]->setCurrentIndex(m.OutputMode);
            if (status.Recognised(cfOutputMode) && (m.OutputMode == 0 || m.OutputMode == 1))
                SetGroupAndSpinEnabled(ChAmplitudeAdjGrp[n], ChAmplitudeAdj[n], m.OutputMode == 1);
            break;
        case cfPolarity:
            ChPolaritySel[n]->setCurrentIndex(m.Polarity);
            break;
        case cfAmplitude:
            ChAmplitudeAdj[n]->setValue(m.Amplitude);
            break;
        case cfMuxMask:
            UpdateChMux(n);
            break;
        case cfControlMode:
            ChControlSel[n]->setCurrentIndex(m.ControlMode);
            break;
        case cfSyncSource:
            ChSyncSourceSel[n]->setCurrentIndex(m.SyncSource);
            break;
        case cfGateMode:
            ChGateModeSel[n]->setCurrentIndex(m.GateMode);
            break;
        case cfGateLogic:
            ChGateLogicSel[n]->setCurrentIndex(m.GateLogic);
            break;
        }
    }
    status.ThrowIfFailed();
}
