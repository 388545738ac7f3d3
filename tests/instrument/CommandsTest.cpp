#include "Commands.h"
#include "Keywords.h"
#include "ServiceCommands.h"

#include <gtest/gtest.h>

using namespace Instrument;

namespace {

struct TCommandCase {
    QString built;
    const char *expected;
};

void ExpectAll(const std::vector<TCommandCase> &cases) {
    for (const auto &c : cases)
        EXPECT_EQ(c.built.toStdString(), c.expected);
}

TEST(Commands, Queries) {
    ExpectAll({{Query::Identify, "*IDN"},
               {Query::SystemRecord, "*CFG? 0"},
               {ChannelRecordQuery(5), "*CFG?5"},
               {ChannelRecordQuery(36), "*CFG?36"},
               {TrigGateRecordQuery(Gate1Record), "*CFG? 92"},
               {TrigGateRecordQuery(Trigger1Record), "*CFG? 90"},
               {Query::Secure, ":SYST:SEC"},
               {Query::AutoStart, ":SYST:AUT"},
               {Query::InputClock, ":SYST:ICLOCK"},
               {Query::OutputClock, ":SYST:OCL"},
               {Query::SyncOutput, ":SYST:SYNC"},
               {Query::CounterEnable, ":COUN:STAT"},
               {Query::CounterSource, ":COUN:SEL"},
               {Query::RunState, ":PULS0:STAT"},
               {Query::ShotCount, ":COUN:PULS"}});
}

TEST(Commands, SystemPage) {
    ExpectAll({{PeriodCommand(1e-4), ":PULS0:PER 0.000100000"},
               {PeriodCommand(0.000100005), ":PULS0:PER 0.000100005"},
               {SystemModeCommand(0), ":PULS0:MOD NORM"},
               {SystemModeCommand(1), ":PULS0:MOD SING"},
               {SystemModeCommand(2), ":PULS0:MOD BURS"},
               {SystemModeCommand(3), ":PULS0:MOD DCYC"},
               {SystemModeCommand(-1), ":PULS0:MOD "},
               {SystemModeCommand(4), ":PULS0:MOD "},
               {SystemBurstCommand(4000000000u), ":PULS0:BCO 4000000000"},
               {SystemDutyOnCommand(1), ":PULS0:PCO 1"},
               {SystemDutyOffCommand(4294967295u), ":PULS0:OCO 4294967295"},
               {SystemCycleCommand(10000000), ":PULS0:CYCL 10000000"},
               {SystemCycleCommand(-1), ":PULS0:CYCL -1"},
               {AutoStartCommand(true), ":SYST:AUT 1"},
               {AutoStartCommand(false), ":SYST:AUT 0"},
               {SyncOutputCommand(0), ":SYST:SYNC T0"},
               {SyncOutputCommand(1), ":SYST:SYNC Ch1"},
               {SyncOutputCommand(4), ":SYST:SYNC Ch6"},
               {SyncOutputCommand(5), ":SYST:SYNC TRIG"},
               {SyncOutputCommand(6), ":SYST:SYNC GATE"}});
}

TEST(Commands, TriggerGatePage) {
    ExpectAll({{TriggerModeCommand(1, 0), ":TRIG1:MOD DIS"},
               {TriggerModeCommand(2, 1), ":TRIG2:MOD TRIG"},
               {TriggerEdgeCommand(1, 0), ":TRIG1:EDG RIS"},
               {TriggerEdgeCommand(2, 1), ":TRIG2:EDG FALL"},
               {TriggerDebounceCommand(1, 1), ":TRIG1:DEB ENAB"},
               {TriggerDebounceCommand(2, 0), ":TRIG2:DEB DIS"},
               {TriggerLevelCommand(1, 2.5), ":TRIG1:LEV 2.50"},
               {TriggerLevelCommand(2, 15.0), ":TRIG2:LEV 15.00"},
               {Gate1LevelCommand(0.2), ":GATE1:LEV 0.20"},
               {GateModeCommand(1, 3), ":GATE1:MOD CHAN"},
               {GateModeCommand(2, 1), ":GATE2:MOD PULS"},
               {GateModeCommand(2, 2), ":GATE2:MOD OUTP"},
               {GateLogicCommand(1, 0), ":GAT1:LOG LOW"},
               {GateLogicCommand(2, 1), ":GAT2:LOG HIGH"},
               {GateDebounceCommand(1, 1), ":GAT1:DEB ENAB"},
               {GateDebounceCommand(2, 0), ":GAT2:DEB DIS"},
               {GateDebounceCommand(2, 7), ":GAT2:DEB "}});
}

TEST(Commands, AdditionalOptionsPage) {
    ExpectAll({{InputClockCommand(0), ":SYST:ICL SYS"},
               {InputClockCommand(8), ":SYST:ICL 80"},
               {InputClockCommand(9), ":SYST:ICL "},
               {OutputClockCommand(0), ":SYST:OCL T0"},
               {OutputClockCommand(9), ":SYST:OCL 100"},
               {CounterSourceCommand(0), ":COUN:SEL T0"},
               {CounterSourceCommand(1), ":COUN:SEL CH1"},
               {CounterSourceCommand(4), ":COUN:SEL CH10"},
               {CounterEnableCommand(true), ":COUN:STAT 1"},
               {CounterEnableCommand(false), ":COUN:STAT 0"},
               {ClearCounterCommand(), ":COUN:CL 1"}});
}

TEST(Commands, ChannelSuffixes) {
    ExpectAll({{ChannelEnableCommand(1, true), ":PULS1:STAT 1"},
               {ChannelEnableCommand(36, false), ":PULS36:STAT 0"},
               {ChannelDelayCommand(3, 1.25e-7), ":PULS3:DEL 0.00000012500"},
               {ChannelDelayCommand(12, 0.000000125000), ":PULS12:DEL 0.00000012500"},
               {ChannelWidthCommand(3, 2000.0), ":PULS3:WIDT 2000.00000000000"},
               {ChannelWidthCommand(4, 1e-8), ":PULS4:WIDT 0.00000001000"},
               {ChannelModeCommand(2, 2), ":PULS2:MOD BURS"},
               {ChannelBurstCommand(2, 10000000), ":PULS2:BCO 10000000"},
               {ChannelWaitCommand(2, 0), ":PULS2:WCO 0"},
               {ChannelDutyOnCommand(2, 5), ":PULS2:PCO 5"},
               {ChannelDutyOffCommand(2, -5), ":PULS2:OCO -5"},
               {ChannelPolarityCommand(7, 1), ":PULS7:OUTP:POL INV"},
               {ChannelOutputModeCommand(7, 0), ":PULS7:OUTP:MOD TTL"},
               {ChannelOutputModeCommand(7, 1), ":PULS7:OUTP:MOD ADJ"},
               {ChannelAmplitudeCommand(7, 5.0), ":PULS7:OUTP:AMPL 5.00"},
               {ChannelGateModeCommand(7, 2), ":PULS7:CGAT OUTP"},
               {ChannelGateModeCommand(7, 3), ":PULS7:CGAT "},
               {ChannelSyncSourceCommand(7, 3), ":PULS7:SYNC SYNT"},
               {ChannelMuxCommand(12, 5), ":PULS12:MUX 5"},
               {ChannelMuxCommand(12, 0), ":PULS12:MUX 0"},
               {ChannelControlCommand(7, 3), ":PULS7:CONT INHB"},
               {ChannelGateLogicCommand(7, 1), ":PULS7:CLOG HIGH"}});
}

TEST(Commands, RunStorageAndRestore) {
    ExpectAll(
        {{RunCommand(true), ":PULS0:STAT ON"},
         {RunCommand(false), ":PULS0:STAT OFF"},
         {SaveBinCommand(12), "*SAV 12"},
         {RecallBinCommand(0), "*RCL 0"},
         {RecallBinCommand(3), "*RCL 3"},
         {RestoreRecordCommand(0, QStringLiteral("1 0.001 BURS 4000000000 1 1 0")),
          "*CFG 0 1 0.001 BURS 4000000000 1 1 0"},
         {RestoreRecordCommand(93, QStringLiteral("DIS LOW 2.00 DIS")), "*CFG 93 DIS LOW 2.00 DIS"},
         {RestoreRecordCommand(5, QString()), "*CFG 5 "}});
}

TEST(Commands, ServiceAndCalibration) {
    ExpectAll({{UnsecureCommand, ":SYST:SEC 27183"},
               {AccessCode, "27183"},
               {Query::SerialNumber, "*SER"},
               {SerialNumberCommand(42), "*SER 42"},
               {Query::Badge, ":SYST:BAD"},
               {BadgeCommand(1, 36), ":SYST:BAD 1 36"},
               {BadgeCommand(-1, 12), ":SYST:BAD -1 12"},
               {InputCalQuery(TCalInput::Trigger1, TCalFactor::Gain), ":TRIG1:CAL:GAIN"},
               {InputCalQuery(TCalInput::TrigGate2, TCalFactor::Offset), ":TRIG2:CAL:OFFS"},
               {InputCalCommand(TCalInput::Gate1, TCalFactor::Gain, 1000), ":GATE1:CAL:GAIN 1000"},
               {InputCalCommand(TCalInput::Gate1, TCalFactor::Offset, 100), ":GATE1:CAL:OFFS 100"},
               {ChannelCalQuery(12, TChannelCal::Delay), ":PULS12:CAL:DEL"},
               {ChannelCalCommand(12, TChannelCal::Delay, 30), ":PULS12:CAL:DEL 30"},
               {ChannelCalCommand(3, TChannelCal::Width, 25), ":PULS3:CAL:WIDT 25"},
               {ChannelCalCommand(3, TChannelCal::AmpGain, 2000), ":PULS3:CAL:GAIN 2000"},
               {ChannelCalCommand(3, TChannelCal::AmpOffset, -100), ":PULS3:CAL:OFFS -100"},
               {StoreCalsCommand, "*STR 0"},
               {OptimizeCalsCommand, "*OPT"}});
}

TEST(Commands, BadgeOfReply) {
    EXPECT_EQ(BadgeOfReply(QStringLiteral("1 12")), 1);
    EXPECT_EQ(BadgeOfReply(QStringLiteral("3 36 extra")), 3);
    EXPECT_EQ(BadgeOfReply(QStringLiteral("1")), -1);
    EXPECT_EQ(BadgeOfReply(QString()), -1);
    EXPECT_EQ(BadgeOfReply(QStringLiteral("x 12")), -1);
}

TEST(Commands, NumberFromControlName) {
    EXPECT_EQ(NumberFromName(QStringLiteral("ChDelayAdj12")), 12);
    EXPECT_EQ(NumberFromName(QStringLiteral("BinRestore0")), 0);
    EXPECT_EQ(NumberFromName(QStringLiteral("ChAmpGainAdj36")), 36);
    EXPECT_EQ(NumberFromName(QStringLiteral("SendBtn")), -1);
    EXPECT_EQ(NumberFromName(QStringLiteral("X99999999999")), -1);
}

struct TTableCase {
    const TKeywordTable &table;
    std::vector<const char *> keywords;
    std::vector<const char *> captions;
};

TEST(KeywordTables, SpellingsAndCaptionsAsTheInstrumentAndPanelUseThem) {
    const std::vector<TTableCase> cases = {
        {SystemModeTable(),
         {"NORM", "SING", "BURS", "DCYC"},
         {"Continuous", "Single Shot", "Burst", "Duty Cycle"}},
        {SyncOutputTable(),
         {"T0", "Ch1", "Ch2", "Ch4", "Ch6", "TRIG", "GATE"},
         {"T0", "Ch 1", "Ch 2", "Ch 4", "Ch 6", "Trig", "Gate"}},
        {TriggerModeTable(), {"DIS", "TRIG"}, {"Disabled", "Triggered"}},
        {TriggerEdgeTable(), {"RIS", "FALL"}, {"Rising", "Falling"}},
        {DebounceTable(), {"DIS", "ENAB"}, {"Disabled", "Enabled"}},
        {GateModeTable(),
         {"DIS", "PULS", "OUTP", "CHAN"},
         {"Disabled", "Pulse Inhibit", "Output Inhibit", "Channel"}},
        {GateLogicTable(), {"LOW", "HIGH"}, {"Low", "High"}},
        {InputClockTable(),
         {"SYS", "10", "20", "25", "30", "40", "50", "60", "80"},
         {"System Osc", "10 MHz Ext", "20 MHz Ext", "25 MHz Ext", "30 MHz Ext", "40 MHz Ext",
          "50 MHz Ext", "60 MHz Ext", "80 MHz Ext"}},
        {OutputClockTable(),
         {"T0", "10", "20", "25", "30", "40", "50", "60", "80", "100"},
         {"To Pulse", "10 MHz", "20 MHz", "25 MHz", "30 MHz", "40 MHz", "50 MHz", "60 MHz",
          "80 MHz", "100 MHz"}},
        {CounterSourceTable(),
         {"T0", "CH1", "CH6", "CH8", "CH10"},
         {"T0", "Ch 1", "Ch 6", "Ch 8", "Ch 10"}},
        {ChannelModeTable(),
         {"NORM", "SING", "BURS", "DCYC"},
         {"Normal", "Single Shot", "Burst", "Duty Cycle"}},
        {PolarityTable(), {"NORM", "INV"}, {"Normal", "Inverted"}},
        {OutputModeTable(), {"TTL", "ADJ"}, {"TTL/CMOS", "Adjustable"}},
        {ChannelGateModeTable(), {"DIS", "PULS", "OUTP"}, {"Disabled", "Pulse Inh", "Out Inh"}},
        {ChannelSyncSourceTable(),
         {"DIS", "SYNA", "SYNB", "SYNT"},
         {"Disabled", "Sync A", "Sync B", "Sync Trig"}},
        {ChannelControlTable(),
         {"DIS", "GATA", "GATB", "INHB"},
         {"Disabled", "Gate A", "Gate B", "Inhibit B"}},
        {ChannelGateLogicTable(), {"LOW", "HIGH"}, {"Active Low", "Active High"}},
    };
    for (const auto &c : cases) {
        ASSERT_EQ(c.table.Count(), static_cast<int>(c.keywords.size()));
        ASSERT_EQ(c.table.Captions.size(), static_cast<qsizetype>(c.captions.size()));
        for (int i = 0; i < c.table.Count(); ++i) {
            EXPECT_EQ(c.table.KeywordAt(i).toStdString(), c.keywords[i]);
            EXPECT_EQ(c.table.Captions.at(i).toStdString(), c.captions[i]);
            EXPECT_EQ(c.table.IndexOf(QString::fromLatin1(c.keywords[i])), i);
        }
    }
}

TEST(KeywordTables, LookupIsExactAndCaseSensitive) {
    EXPECT_EQ(SyncOutputTable().IndexOf(QStringLiteral("CH1")), -1);
    EXPECT_EQ(CounterSourceTable().IndexOf(QStringLiteral("Ch1")), -1);
    EXPECT_EQ(GateLogicTable().IndexOf(QStringLiteral("high")), -1);
    EXPECT_EQ(GateLogicTable().IndexOf(QString()), -1);
    EXPECT_EQ(InputClockTable().IndexOf(QStringLiteral("100")), -1);
    EXPECT_EQ(InputClockReplyKeywords().indexOf(QStringLiteral("100")), 9);
    EXPECT_TRUE(SystemModeTable().KeywordAt(-1).isEmpty());
}

TEST(KeywordTables, ListItems) {
    EXPECT_EQ(MuxItems(), (QStringList{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(CompanyItems(), (QStringList{"HTX 631K", "VK 6180", "Reserved", "VK 4190"}));
    EXPECT_EQ(ChannelCountItems(), (QStringList{"6", "12", "24", "36"}));
    EXPECT_EQ(ChannelCountOfItem(0), 6);
    EXPECT_EQ(ChannelCountOfItem(3), 36);
    EXPECT_EQ(ChannelCountOfItem(4), -1);
    EXPECT_EQ(ItemOfChannelCount(24), 2);
    EXPECT_EQ(ItemOfChannelCount(7), -1);
}

} // namespace
