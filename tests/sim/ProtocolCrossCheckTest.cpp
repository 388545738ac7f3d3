// The program's command builders and reply parsers against the simulated instrument: every
// command the program builds must be accepted as spelled, and every reply the instrument
// gives must go through the program's parsers with the value that was set.
#include "ManualSimClock.h"
#include "SimInstrument.h"

#include "Commands.h"
#include "ConfigRecords.h"
#include "Identity.h"
#include "Keywords.h"
#include "ModelTable.h"
#include "NumberFormat.h"
#include "ServiceCommands.h"
#include "SingleValues.h"
#include "ValueRanges.h"

#include <gtest/gtest.h>

namespace {

using namespace Instrument;

class ProtocolCrossCheck : public ::testing::Test {
protected:
    void Use(const std::string &model) {
        TSimIdentity id;
        id.Model = model;
        Sim = std::make_unique<TSimInstrument>(id, Clock);
        Channels = Sim->ChannelCount();
        Ranges = ChooseValueRanges(Channels);
    }
    std::string Send(const QString &command) { return Sim->Reply(command.toStdString()); }
    // As the exchange layer sends a query: with "?" appended.
    QString Ask(const QString &query) {
        return QString::fromStdString(Sim->Reply((query + QLatin1Char('?')).toStdString()));
    }
    void ExpectAccepted(const QString &command) {
        EXPECT_EQ(Send(command), "ok") << command.toStdString();
    }
    std::int32_t AskInteger(const QString &query) {
        const auto v = ParseInt32(Ask(query));
        EXPECT_TRUE(v.has_value()) << query.toStdString();
        return v.value_or(-99999);
    }

    TManualSimClock Clock;
    std::unique_ptr<TSimInstrument> Sim;
    int Channels = 0;
    TValueRanges Ranges;
};

TEST_F(ProtocolCrossCheck, IdentificationOfEveryModelSplitsIntoTheIdentityFields) {
    for (const char *family : {"6180", "4190", "631K", "627"})
        for (int count : {6, 12, 24, 36}) {
            const std::string model = std::string(family) + "-" + std::to_string(count);
            Use(model);
            TIdentity identity;
            ASSERT_EQ(ParseIDN(Ask(Query::Identify), identity), TIdnOutcome::Complete);
            EXPECT_EQ(identity.Manufacturer, "VK");
            EXPECT_EQ(identity.ModelNumber.toStdString(), model);
            EXPECT_EQ(identity.SerialNumber, 1234);
            EXPECT_EQ(identity.FirmwareVersion, "1.00");
            EXPECT_EQ(identity.FPGAVersion, "1.25");
            EXPECT_EQ(ModelChannelCount(identity.ModelNumber), Sim->ChannelCount());
        }
}

TEST_F(ProtocolCrossCheck, SystemPageCommandsAtTheirLimitsShowInTheSystemRecord) {
    for (const char *model : {"6180-12", "6180-36"}) {
        Use(model);
        const TCountLimits &limits = Ranges.CountLimits;
        for (int item = 0; item < SystemModeTable().Keywords.size(); ++item) {
            ExpectAccepted(SystemModeCommand(item));
            TSystemSettings m;
            ASSERT_TRUE(ParseSystemRecord(Ask(Query::SystemRecord), m).Ok());
            EXPECT_EQ(m.SystemMode, item);
        }
        for (double period : {Ranges.PeriodRange.MinValue, 1e-4, Ranges.PeriodRange.MaxValue}) {
            ExpectAccepted(PeriodCommand(period));
            ExpectAccepted(SystemBurstCommand(limits.SystemBurstMax));
            ExpectAccepted(SystemDutyOnCommand(limits.SystemDutyMax));
            ExpectAccepted(SystemDutyOffCommand(1));
            ExpectAccepted(SystemCycleCommand(limits.SystemCycleMax));
            TSystemSettings m;
            const TRecordStatus status = ParseSystemRecord(Ask(Query::SystemRecord), m);
            ASSERT_TRUE(status.Ok()) << status.Error.toStdString();
            EXPECT_EQ(status.FieldsApplied, SystemFieldCount);
            EXPECT_EQ(FormatPeriod(m.Period), FormatPeriod(period));
            EXPECT_EQ(m.BurstCount, limits.SystemBurstMax);
            EXPECT_EQ(m.DutyOnCount, limits.SystemDutyMax);
            EXPECT_EQ(m.DutyOffCount, 1u);
            EXPECT_EQ(m.CycleCount, limits.SystemCycleMax);
            EXPECT_FALSE(m.SystemRunning);
        }
        ExpectAccepted(SystemCycleCommand(0));
        ExpectAccepted(AutoStartCommand(true));
        EXPECT_TRUE(IsCheckedReply(AskInteger(Query::AutoStart)));
        ExpectAccepted(AutoStartCommand(false));
        EXPECT_FALSE(IsCheckedReply(AskInteger(Query::AutoStart)));
    }
}

TEST_F(ProtocolCrossCheck, EveryKeywordOfTheOptionSelectorsIsAcceptedAndReadBack) {
    Use("6180-12");
    const struct {
        const TKeywordTable &Table;
        QString (*Command)(int);
        const QString &Query;
        bool (*Apply)(const QString &, TSystemSettings &);
        std::int32_t TSystemSettings::*Field;
    } options[] = {
        {SyncOutputTable(), SyncOutputCommand, Query::SyncOutput, ApplySyncOutputReply,
         &TSystemSettings::SyncOutput},
        {InputClockTable(), InputClockCommand, Query::InputClock, ApplyInputClockReply,
         &TSystemSettings::InputClock},
        {OutputClockTable(), OutputClockCommand, Query::OutputClock, ApplyOutputClockReply,
         &TSystemSettings::OutputClock},
        {CounterSourceTable(), CounterSourceCommand, Query::CounterSource, ApplyCounterSourceReply,
         &TSystemSettings::CounterSource},
    };
    for (const auto &o : options) {
        for (int item = 0; item < o.Table.Keywords.size(); ++item) {
            ExpectAccepted(o.Command(item));
            TSystemSettings m;
            ASSERT_TRUE(o.Apply(Ask(o.Query), m));
            EXPECT_EQ(m.*o.Field, item) << o.Query.toStdString();
        }
    }
    ExpectAccepted(CounterEnableCommand(false));
    EXPECT_FALSE(IsCheckedReply(AskInteger(Query::CounterEnable)));
    ExpectAccepted(CounterEnableCommand(true));
    EXPECT_TRUE(IsCheckedReply(AskInteger(Query::CounterEnable)));
    ExpectAccepted(ClearCounterCommand());
    EXPECT_EQ(ParseInt64(Ask(Query::ShotCount)), std::optional<std::int64_t>(0));
    EXPECT_TRUE(IsUnsecured(AskInteger(Query::Secure)) == false);
}

TEST_F(ProtocolCrossCheck, TriggerAndGateCommandsShowInTheirRecords) {
    Use("6180-12");
    for (int input = 1; input <= 2; ++input) {
        const int trigRecord = input == 1 ? Trigger1Record : Trigger2Record;
        const int gateRecord = input == 1 ? Gate1Record : Gate2Record;
        for (int item = 0; item < 2; ++item) {
            ExpectAccepted(TriggerModeCommand(input, item));
            ExpectAccepted(TriggerEdgeCommand(input, item));
            ExpectAccepted(TriggerDebounceCommand(input, item));
            ExpectAccepted(GateLogicCommand(input, item));
            ExpectAccepted(GateDebounceCommand(input, item));
            TTrigGateSettings m;
            ASSERT_TRUE(ParseTriggerRecord(input, Ask(TrigGateRecordQuery(trigRecord)), m).Ok());
            ASSERT_TRUE(ParseGateRecord(input, Ask(TrigGateRecordQuery(gateRecord)), m).Ok());
            EXPECT_EQ(input == 1 ? m.Trig1Mode : m.Trig2Mode, item);
            EXPECT_EQ(input == 1 ? m.Trig1Edge : m.Trig2Edge, item);
            EXPECT_EQ(input == 1 ? m.Trig1Debounce : m.Trig2Debounce, item);
            EXPECT_EQ(input == 1 ? m.Gate1Logic : m.Gate2Logic, item);
            EXPECT_EQ(input == 1 ? m.Gate1Debounce : m.Gate2Debounce, item);
        }
        for (int item = 0; item < GateModeTable().Keywords.size(); ++item) {
            ExpectAccepted(GateModeCommand(input, item));
            TTrigGateSettings m;
            ASSERT_TRUE(ParseGateRecord(input, Ask(TrigGateRecordQuery(gateRecord)), m).Ok());
            EXPECT_EQ(input == 1 ? m.Gate1Mode : m.Gate2Mode, item);
        }
    }
    for (double volts : {0.2, 15.0, 2.5}) {
        ExpectAccepted(TriggerLevelCommand(1, volts));
        ExpectAccepted(Gate1LevelCommand(volts + (volts < 15 ? 0.01 : -0.01)));
        ExpectAccepted(TriggerLevelCommand(2, volts));
        TTrigGateSettings m;
        ASSERT_TRUE(ParseTriggerRecord(1, Ask(TrigGateRecordQuery(Trigger1Record)), m).Ok());
        ASSERT_TRUE(ParseGateRecord(1, Ask(TrigGateRecordQuery(Gate1Record)), m).Ok());
        EXPECT_EQ(FormatLevel(m.Trig1Level), FormatLevel(volts));
        EXPECT_EQ(FormatLevel(m.Gate1Level), FormatLevel(volts + (volts < 15 ? 0.01 : -0.01)));
        // The shared threshold of input 2 shows in both of its records.
        ASSERT_TRUE(ParseTriggerRecord(2, Ask(TrigGateRecordQuery(Trigger2Record)), m).Ok());
        EXPECT_EQ(FormatLevel(m.TrigGate2Level), FormatLevel(volts));
        m.TrigGate2Level = 0;
        ASSERT_TRUE(ParseGateRecord(2, Ask(TrigGateRecordQuery(Gate2Record)), m).Ok());
        EXPECT_EQ(FormatLevel(m.TrigGate2Level), FormatLevel(volts));
    }
}

TEST_F(ProtocolCrossCheck, ChannelCommandsAtTheirLimitsShowInTheChannelRecord) {
    for (const char *model : {"6180-6", "6180-24", "6180-36"}) {
        Use(model);
        const TCountLimits &limits = Ranges.CountLimits;
        const int mask = (1 << MuxItemCountFor(Channels)) - 1;
        for (int n : {1, Channels}) {
            const double delay = Ranges.DelayRange.MaxValue;
            const double width = Ranges.WidthRange.MinValue;
            ExpectAccepted(ChannelEnableCommand(n, true));
            ExpectAccepted(ChannelDelayCommand(n, delay));
            ExpectAccepted(ChannelWidthCommand(n, width));
            ExpectAccepted(
                ChannelBurstCommand(n, static_cast<std::int32_t>(limits.ChannelBurstMax)));
            ExpectAccepted(ChannelDutyOnCommand(n, 1));
            ExpectAccepted(
                ChannelDutyOffCommand(n, static_cast<std::int32_t>(limits.ChannelDutyMax)));
            ExpectAccepted(ChannelWaitCommand(n, limits.ChannelWaitMax));
            ExpectAccepted(ChannelAmplitudeCommand(n, 20.0));
            ExpectAccepted(ChannelMuxCommand(n, mask));
            TChannelSettings m;
            TRecordStatus status = ParseChannelRecord(Ask(ChannelRecordQuery(n)), m);
            ASSERT_TRUE(status.Ok()) << status.Error.toStdString();
            EXPECT_EQ(status.FieldsApplied, ChannelFieldCount);
            EXPECT_EQ(status.Unrecognised, 0u);
            EXPECT_EQ(m.Enabled, 1);
            EXPECT_EQ(FormatTime(m.Delay), FormatTime(delay));
            EXPECT_EQ(FormatTime(m.Width), FormatTime(width));
            EXPECT_EQ(m.BurstCount, static_cast<std::int32_t>(limits.ChannelBurstMax));
            EXPECT_EQ(m.DutyOnCount, 1);
            EXPECT_EQ(m.DutyOffCount, static_cast<std::int32_t>(limits.ChannelDutyMax));
            EXPECT_EQ(m.WaitCount, limits.ChannelWaitMax);
            EXPECT_EQ(FormatLevel(m.Amplitude), "20.00");
            EXPECT_EQ(m.MuxMask, mask);

            ExpectAccepted(ChannelEnableCommand(n, false));
            ExpectAccepted(ChannelDelayCommand(n, 1.25e-7));
            ExpectAccepted(ChannelWidthCommand(n, Ranges.WidthRange.MaxValue));
            ExpectAccepted(ChannelWaitCommand(n, 0));
            ExpectAccepted(ChannelAmplitudeCommand(n, 2.0));
            ExpectAccepted(ChannelMuxCommand(n, 0));
            status = ParseChannelRecord(Ask(ChannelRecordQuery(n)), m);
            ASSERT_TRUE(status.Ok()) << status.Error.toStdString();
            EXPECT_EQ(m.Enabled, 0);
            EXPECT_EQ(FormatTime(m.Delay), "0.00000012500");
            EXPECT_EQ(FormatTime(m.Width), FormatTime(Ranges.WidthRange.MaxValue));
            EXPECT_EQ(m.WaitCount, 0);
            EXPECT_EQ(FormatLevel(m.Amplitude), "2.00");
            EXPECT_EQ(m.MuxMask, 0);
        }
    }
}

TEST_F(ProtocolCrossCheck, EveryKeywordOfTheChannelSelectorsIsAcceptedAndReadBack) {
    Use("6180-12");
    struct TSelector {
        const TKeywordTable &Table;
        QString (*Command)(int, int);
        std::int32_t TChannelSettings::*Field;
    };
    const TSelector selectors[] = {
        {ChannelModeTable(), ChannelModeCommand, &TChannelSettings::Mode},
        {OutputModeTable(), ChannelOutputModeCommand, &TChannelSettings::OutputMode},
        {PolarityTable(), ChannelPolarityCommand, &TChannelSettings::Polarity},
        {ChannelControlTable(), ChannelControlCommand, &TChannelSettings::ControlMode},
        {ChannelSyncSourceTable(), ChannelSyncSourceCommand, &TChannelSettings::SyncSource},
        {ChannelGateModeTable(), ChannelGateModeCommand, &TChannelSettings::GateMode},
        {ChannelGateLogicTable(), ChannelGateLogicCommand, &TChannelSettings::GateLogic},
    };
    for (const TSelector &s : selectors)
        for (int item = 0; item < s.Table.Keywords.size(); ++item) {
            ExpectAccepted(s.Command(7, item));
            TChannelSettings m;
            const TRecordStatus status = ParseChannelRecord(Ask(ChannelRecordQuery(7)), m);
            ASSERT_TRUE(status.Ok()) << status.Error.toStdString();
            EXPECT_EQ(status.Unrecognised, 0u);
            EXPECT_EQ(m.*(s.Field), item) << s.Command(7, item).toStdString();
        }
}

TEST_F(ProtocolCrossCheck, SettingsFileLinesRestoreWhatTheyWereReadFrom) {
    Use("6180-12");
    ExpectAccepted(PeriodCommand(2.5e-3));
    ExpectAccepted(SystemModeCommand(3));
    ExpectAccepted(SystemCycleCommand(0)); // duty cycle without end: still running below
    ExpectAccepted(TriggerModeCommand(2, 1));
    ExpectAccepted(GateModeCommand(2, 3));
    ExpectAccepted(InputClockCommand(8));
    ExpectAccepted(ChannelDelayCommand(12, 1999.99999999975));
    ExpectAccepted(RunCommand(true));
    // The file as the read-back gathers it: each record behind its set form, each option
    // behind its query's spelling.
    QStringList lines;
    lines << RestoreRecordCommand(SystemRecordNumber, Ask(Query::SystemRecord));
    for (int record : {Trigger1Record, Trigger2Record, Gate1Record, Gate2Record})
        lines << RestoreRecordCommand(record, Ask(TrigGateRecordQuery(record)));
    lines << Query::AutoStart + " " + QString::number(AskInteger(Query::AutoStart));
    lines << Query::InputClock + " " + Ask(Query::InputClock);
    lines << Query::OutputClock + " " + Ask(Query::OutputClock);
    lines << Query::SyncOutput + " " + Ask(Query::SyncOutput);
    lines << Query::CounterEnable + " " + QString::number(AskInteger(Query::CounterEnable));
    lines << Query::CounterSource + " " + Ask(Query::CounterSource);
    for (int n = 1; n <= Channels; ++n)
        lines << RestoreRecordCommand(n, Ask(ChannelRecordQuery(n)));
    EXPECT_TRUE(lines.first().startsWith("*CFG 0 1 0.002500000 DCYC "))
        << lines.first().toStdString();
    // What the instrument holds, the shot counter aside (the replay runs on).
    const auto state = [this] {
        std::vector<std::string> held;
        for (const std::string &line : Sim->DumpLines())
            if (line.rfind(":COUN:PULS", 0) != 0)
                held.push_back(line);
        return held;
    };
    const std::vector<std::string> before = state();

    ExpectAccepted(RecallBinCommand(0));
    ExpectAccepted(RunCommand(false));
    for (const QString &line : lines)
        ExpectAccepted(line);
    ExpectAccepted(RunCommand(true));
    EXPECT_EQ(state(), before);
}

TEST_F(ProtocolCrossCheck, StorageBinsOfferedByTheMenusAreAccepted) {
    for (const char *model : {"6180-6", "6180-36"}) {
        Use(model);
        for (int bin = 1; bin <= Channels; ++bin)
            ExpectAccepted(SaveBinCommand(bin));
        for (int bin = 0; bin <= Channels; ++bin)
            ExpectAccepted(RecallBinCommand(bin));
    }
}

TEST_F(ProtocolCrossCheck, ServiceWindowCommandsAndRepliesAgree) {
    Use("6180-12");
    EXPECT_FALSE(IsUnsecured(AskInteger(Query::Secure)));
    ExpectAccepted(UnsecureCommand);
    EXPECT_TRUE(IsUnsecured(AskInteger(Query::Secure)));

    ExpectAccepted(SerialNumberCommand(42));
    EXPECT_EQ(AskInteger(Query::SerialNumber), 42);
    for (int badge = 0; badge < CompanyItems().size(); ++badge)
        for (int item = 0; item < ChannelCountItems().size(); ++item) {
            ExpectAccepted(BadgeCommand(badge, ChannelCountOfItem(item)));
            const QString reply = Ask(Query::Badge);
            EXPECT_EQ(BadgeOfReply(reply), badge);
            EXPECT_EQ(reply, QString::number(badge) + " " + ChannelCountItems().at(item));
        }

    struct TLimits {
        int Min, Max;
    };
    const std::pair<TCalFactor, TLimits> inputFactors[] = {{TCalFactor::Gain, {1000, 5000}},
                                                           {TCalFactor::Offset, {0, 1000}}};
    for (TCalInput input : {TCalInput::Trigger1, TCalInput::TrigGate2, TCalInput::Gate1})
        for (const auto &[factor, limits] : inputFactors)
            for (int v : {limits.Min, limits.Max}) {
                ExpectAccepted(InputCalCommand(input, factor, v));
                EXPECT_EQ(AskInteger(InputCalQuery(input, factor)), v);
            }
    const std::pair<TChannelCal, TLimits> channelFactors[] = {
        {TChannelCal::Width, {0, 50}},
        {TChannelCal::Delay, {0, 50}},
        {TChannelCal::AmpGain, {2000, 5000}},
        {TChannelCal::AmpOffset, {-100, 200}}};
    for (int n : {1, Channels})
        for (const auto &[kind, limits] : channelFactors)
            for (int v : {limits.Min, limits.Max}) {
                ExpectAccepted(ChannelCalCommand(n, kind, v));
                EXPECT_EQ(AskInteger(ChannelCalQuery(n, kind)), v);
            }
    ExpectAccepted(StoreCalsCommand);
    ExpectAccepted(OptimizeCalsCommand);
}

} // namespace
