// The instrument's command interpreter, driven directly with a manual clock.
#include "SimInstrument.h"
#include "ManualSimClock.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TSimIdentity Identity(const std::string &model) {
    TSimIdentity id;
    id.Model = model;
    return id;
}

class SimInstrumentTest : public ::testing::Test {
protected:
    std::string R(const std::string &line) { return Sim.Reply(line); }
    void ExpectAll(const std::vector<std::pair<std::string, std::string>> &exchanges) {
        for (const auto &[line, reply] : exchanges)
            EXPECT_EQ(R(line), reply) << "line: " << line;
    }

    TManualSimClock Clock;
    TSimInstrument Sim{Identity("6180-12"), Clock};
};

// A channel record as the factory sets it; only the multiplexer line differs by channel.
std::string FactoryChannel(int mux) {
    return "0 0.00000000000 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 " + std::to_string(mux) +
           " DIS DIS DIS LOW";
}

// Cases that are nothing but lines and their replies, each on a fresh factory instrument.
struct TExchangeCase {
    const char *Name;
    std::vector<std::pair<std::string, std::string>> Exchanges;
};

const std::vector<TExchangeCase> kExchangeCases = {
    {"AnswersEveryQueryOfTheReadBackInItsForm",
     {{"*IDN?", "VK,6180-12,1234,1.00-1.25"},
      {"*CFG? 0?", "0 0.001000000 NORM 1 1 1 0"},
      {"*CFG? 90?", "DIS RIS 2.50 DIS"},
      {"*CFG? 91?", "DIS RIS 2.50 DIS"},
      {"*CFG? 92?", "DIS LOW 2.50 DIS"},
      {"*CFG? 93?", "DIS LOW 2.50 DIS"},
      {":SYST:SEC?", "1"},
      {":SYST:AUT?", "0"},
      {":SYST:ICLOCK?", "SYS"},
      {":SYST:OCL?", "T0"},
      {":SYST:SYNC?", "T0"},
      {":COUN:STAT?", "1"},
      {":COUN:SEL?", "T0"},
      {"*CFG?1?", FactoryChannel(1)},
      {"*CFG?5?", FactoryChannel(16)},
      {"*CFG?12?", FactoryChannel(2)},
      {":PULS0:STAT?", "0"},
      {":COUN:PULS?", "0"}}},
    {"RecordNumbersOutsideTheModelAreRefused",
     {{"*CFG?13?", "ERR: out of range"},
      {"*CFG? 94?", "ERR: out of range"},
      {"*CFG?05?", "ERR: bad argument"},
      {"*CFG?x?", "ERR: bad argument"},
      {"*CFG?", "ERR: unknown command"}}},
    {"SystemSettingsShowInTheSystemRecord",
     {{":PULS0:PER 0.001000000", "ok"},
      {":PULS0:MOD BURS", "ok"},
      {":PULS0:BCO 4000000000", "ok"},
      {":PULS0:STAT ON", "ok"},
      {"*CFG? 0?", "1 0.001000000 BURS 4000000000 1 1 0"},
      {":PULS0:PER 0.000100000", "ok"},
      {":PULS0:MOD DCYC", "ok"},
      {":PULS0:PCO 4000000000", "ok"},
      {":PULS0:OCO 7", "ok"},
      {":PULS0:CYCL 10000000", "ok"},
      {":PULS0:STAT OFF", "ok"},
      {"*CFG? 0?", "0 0.000100000 DCYC 4000000000 4000000000 7 10000000"},
      {":PULS0:PER?", "0.000100000"},
      {":PULS0:CYCL?", "10000000"}}},
    {"ChannelSettingsShowInTheChannelRecord",
     {{":PULS3:STAT 1", "ok"},
      {":PULS3:DEL 0.00000012500", "ok"},
      {":PULS3:WIDT 1.5e-6", "ok"},
      {":PULS3:MOD DCYC", "ok"},
      {":PULS3:BCO 10000000", "ok"},
      {":PULS3:PCO 3", "ok"},
      {":PULS3:OCO 4", "ok"},
      {":PULS3:WCO 0", "ok"},
      {":PULS3:OUTP:MOD ADJ", "ok"},
      {":PULS3:OUTP:POL INV", "ok"},
      {":PULS3:OUTP:AMPL 12.345", "ok"},
      {":PULS3:MUX 31", "ok"},
      {":PULS3:CONT INHB", "ok"},
      {":PULS3:SYNC SYNT", "ok"},
      {":PULS3:CGAT OUTP", "ok"},
      {":PULS3:CLOG HIGH", "ok"},
      {"*CFG?3?",
       "1 0.00000012500 0.00000150000 DCYC 10000000 3 4 0 ADJ INV 12.35 31 INHB SYNT OUTP HIGH"},
      {"*CFG?2?", FactoryChannel(2)},
      {":PULS3:DEL?", "0.00000012500"},
      {":PULS3:OUTP:AMPL?", "12.35"},
      {":PULS3:MUX?", "31"}}},
    {"TriggerGateAndOptionSettingsUseTheirOwnSpellings",
     {{":TRIG1:MOD TRIG", "ok"},
      {":TRIG1:EDG FALL", "ok"},
      {":TRIG1:LEV 2.50", "ok"},
      {":TRIG1:DEB ENAB", "ok"},
      {"*CFG? 90?", "TRIG FALL 2.50 ENAB"},
      {":GATE1:MOD CHAN", "ok"},
      {":GAT1:LOG HIGH", "ok"},
      {":GATE1:LEV 3.25", "ok"},
      {":GAT1:DEB ENAB", "ok"},
      {"*CFG? 92?", "CHAN HIGH 3.25 ENAB"},
      {":GATE2:MOD OUTP", "ok"},
      {":GAT2:LOG HIGH", "ok"},
      {":TRIG2:LEV 1.00", "ok"},
      {"*CFG? 91?", "DIS RIS 1.00 DIS"},
      {"*CFG? 93?", "OUTP HIGH 1.00 DIS"},
      {":GAT1:MOD DIS", "ERR: unknown command"},
      {":GATE1:LOG LOW", "ERR: unknown command"},
      {":GAT1:LOG low", "ERR: bad argument"},
      {":SYST:AUT 1", "ok"},
      {":SYST:ICL 80", "ok"},
      {":SYST:ICLOCK?", "80"},
      {":SYST:ICLOCK 25", "ok"},
      {":SYST:ICLOCK?", "25"},
      {":SYST:ICL 100", "ERR: bad argument"},
      {":SYST:OCL 100", "ok"},
      {":SYST:SYNC Ch4", "ok"},
      {":SYST:SYNC CH4", "ERR: bad argument"},
      {":COUN:SEL CH10", "ok"},
      {":COUN:SEL Ch1", "ERR: bad argument"},
      {":COUN:STAT 0", "ok"},
      {":SYST:AUT?", "1"},
      {":SYST:OCL?", "100"},
      {":SYST:SYNC?", "Ch4"},
      {":COUN:SEL?", "CH10"},
      {":COUN:STAT?", "0"}}},
    {"ConfigurationRecordsAreAcceptedBackInTheSetForm",
     {{"*CFG 0 1 0.000100000 DCYC 5 2 3 7", "ok"},
      // the run-state field never starts the output
      {"*CFG? 0?", "0 0.000100000 DCYC 5 2 3 7"},
      {"*CFG 93 CHAN HIGH 1.00 ENAB", "ok"},
      {"*CFG? 91?", "DIS RIS 1.00 DIS"},
      {"*CFG 4 1 0.00000012500 0.00000150000 BURS 9 3 4 2 ADJ INV 7.50 5 GATA SYNB PULS HIGH",
       "ok"},
      {"*CFG?4?",
       "1 0.00000012500 0.00000150000 BURS 9 3 4 2 ADJ INV 7.50 5 GATA SYNB PULS HIGH"}}},
    {"SingleShotEndsAtItsOnlyPulse",
     {{":PULS0:MOD SING", "ok"},
      {":PULS0:STAT ON", "ok"},
      {":PULS0:STAT?", "0"},
      {":COUN:PULS?", "1"}}},
    {"RecallDoesNotStopARunningOutput",
     {{":PULS0:STAT ON", "ok"}, {"*RCL 0", "ok"}, {":PULS0:STAT?", "1"}}},
};

class SimExchangeTest : public SimInstrumentTest,
                        public ::testing::WithParamInterface<TExchangeCase> {};

TEST_P(SimExchangeTest, RepliesInOrder) {
    ExpectAll(GetParam().Exchanges);
}

INSTANTIATE_TEST_SUITE_P(Cases, SimExchangeTest, ::testing::ValuesIn(kExchangeCases),
                         [](const auto &info) { return std::string(info.param.Name); });

TEST(SimIdentityTest, ChannelCountFollowsTheModelTable) {
    TManualSimClock clock;
    const std::vector<std::pair<std::string, int>> models = {
        {"6180-6", 6}, {"4190-12", 12}, {"631K-24", 24}, {"627-36", 36},
        {"627-6", 6},  {"6180-48", 12}, {" 6180-6", 12}, {"", 12}};
    for (const auto &[model, count] : models) {
        TSimInstrument sim(Identity(model), clock);
        EXPECT_EQ(sim.ChannelCount(), count) << model;
        EXPECT_NE(sim.Reply("*CFG?" + std::to_string(count) + "?").rfind("ERR", 0), 0u) << model;
        EXPECT_EQ(sim.Reply("*CFG?" + std::to_string(count + 1) + "?"), "ERR: out of range");
        EXPECT_EQ(sim.Reply("*IDN?"), "VK," + model + ",1234,1.00-1.25");
    }
}

TEST_F(SimInstrumentTest, RejectedLinesAnswerAnErrorAndChangeNothing) {
    ASSERT_EQ(R(":SYST:SEC 27183"), "ok");
    const std::vector<std::string> before = Sim.DumpLines();
    ExpectAll({{":PULS0:PER 0.000000049", "ERR: out of range"},
               {":PULS0:PER 5000.000000001", "ERR: out of range"},
               {":PULS0:PER nan", "ERR: bad argument"},
               {":PULS0:PER 0,001", "ERR: bad argument"},
               {":PULS0:PER 1e-3x", "ERR: bad argument"},
               {":PULS0:PER  0.001", "ERR: bad argument"},
               {":PULS0:BCO 4000000001", "ERR: out of range"},
               {":PULS0:BCO 0", "ERR: out of range"},
               {":PULS0:BCO 12a", "ERR: bad argument"},
               {":PULS0:MOD norm", "ERR: bad argument"},
               {":PULS0:STAT START", "ERR: bad argument"},
               {":PULS1:DEL -0.00000000025", "ERR: out of range"},
               {":PULS1:WIDT 0.000000009", "ERR: out of range"},
               {":PULS1:MOD ", "ERR: bad argument"},
               {":PULS1:DEL", "ERR: bad argument"},
               {":PULS1:STAT 2", "ERR: out of range"},
               {":PULS1:MUX 32", "ERR: out of range"},
               {":PULS1:WCO 10000001", "ERR: out of range"},
               {":PULS1:OUTP:AMPL 1.99", "ERR: out of range"},
               {":TRIG1:LEV 15.01", "ERR: out of range"},
               {":PULS13:STAT 1", "ERR: out of range"},
               {":PULS01:STAT 1", "ERR: unknown command"},
               {":PULS1:FOO 1", "ERR: unknown command"},
               {"pULS1:STAT 1", "ERR: unknown command"},
               {"", "ERR: unknown command"},
               {"*SAV 0", "ERR: out of range"},
               {"*SAV 13", "ERR: out of range"},
               {"*RCL 13", "ERR: out of range"},
               {"*RCL x", "ERR: bad argument"},
               {":COUN:CL 0", "ERR: bad argument"},
               {"*CFG 1 0 0.00000000000 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 1 DIS DIS DIS",
                "ERR: bad record"},
               {"*CFG 1 1 0.00000000100 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 1 DIS DIS DIS low",
                "ERR: bad argument"},
               {"*CFG 0 2 0.001000000 NORM 1 1 1 0", "ERR: bad record"},
               {"*CFG 94 DIS RIS 2.50 DIS", "ERR: out of range"},
               {"*CFG 90 DIS RIS 25.00 DIS", "ERR: out of range"},
               {":SYST:SEC 12345", "ERR: wrong code"},
               {":SYST:BAD 4 12", "ERR: bad argument"},
               {":SYST:BAD 1 13", "ERR: out of range"},
               {":PULS1:CAL:DEL 51", "ERR: out of range"},
               {":PULS1:CAL:OFFS -101", "ERR: out of range"},
               {":TRIG2:CAL:OFFS 1001", "ERR: out of range"},
               {":GATE1:CAL:GAIN 999", "ERR: out of range"},
               {":GATE2:CAL:GAIN 2000", "ERR: unknown command"},
               {"*SER -1", "ERR: bad argument"},
               {"*STR 1", "ERR: bad argument"}});
    EXPECT_EQ(Sim.DumpLines(), before);
}

TEST_F(SimInstrumentTest, LimitsFollowTheChannelCount) {
    TSimInstrument big(Identity("6180-36"), Clock);
    EXPECT_EQ(big.Reply(":PULS36:DEL 2.0"), "ok");
    EXPECT_EQ(big.Reply(":PULS36:DEL 2.00000000001"), "ERR: out of range");
    EXPECT_EQ(big.Reply(":PULS0:BCO 10000001"), "ERR: out of range");
    EXPECT_EQ(big.Reply(":PULS1:BCO 1000001"), "ERR: out of range");
    EXPECT_EQ(big.Reply(":PULS0:CYCL 1000000"), "ok");
    EXPECT_EQ(R(":PULS12:DEL 2000"), "ok");
    EXPECT_EQ(R(":PULS12:DEL?"), "2000.00000000000");
    EXPECT_EQ(R(":PULS0:CYCL 10000001"), "ERR: out of range");
}

TEST_F(SimInstrumentTest, ReplayingTheStateLinesRebuildsTheSameSetting) {
    for (const char *line :
         {":PULS0:PER 0.002", ":PULS7:DEL 1e-6", ":PULS7:CLOG HIGH", ":TRIG1:EDG FALL",
          ":GATE2:MOD PULS", ":SYST:ICL 40", ":COUN:SEL CH8", ":SYST:SYNC GATE"})
        ASSERT_EQ(R(line), "ok") << line;
    TSimInstrument copy(Identity("6180-12"), Clock);
    const std::vector<std::string> dump = Sim.DumpLines();
    auto begin = std::find(dump.begin(), dump.end(), "[state]") + 1;
    auto end = std::find(begin, dump.end(), ":PULS0:STAT 0");
    ASSERT_EQ(end - begin, 5 + 6 + 12);
    for (auto it = begin; it != end; ++it)
        EXPECT_EQ(copy.Reply(*it), "ok") << *it;
    EXPECT_EQ(copy.DumpLines(), dump);
}

TEST_F(SimInstrumentTest, ContinuousRunCountsEveryPeriodUntilStopped) {
    ExpectAll({{":PULS0:STAT ON", "ok"}, {":COUN:PULS?", "1"}});
    Clock.AdvanceMs(10);
    ExpectAll({{":PULS0:STAT?", "1"}, {":COUN:PULS?", "11"}, {":PULS0:STAT OFF", "ok"}});
    Clock.AdvanceMs(10);
    ExpectAll({{":PULS0:STAT?", "0"}, {":COUN:PULS?", "11"}});
}

TEST_F(SimInstrumentTest, BurstEndsAfterItsCount) {
    ExpectAll({{":PULS0:MOD BURS", "ok"}, {":PULS0:BCO 5", "ok"}, {":PULS0:STAT ON", "ok"}});
    Clock.AdvanceMs(3);
    ExpectAll({{":PULS0:STAT?", "1"}, {":COUN:PULS?", "4"}});
    Clock.AdvanceMs(100);
    ExpectAll(
        {{":PULS0:STAT?", "0"}, {":COUN:PULS?", "5"}, {"*CFG? 0?", "0 0.001000000 BURS 5 1 1 0"}});
}

TEST_F(SimInstrumentTest, DutyCycleCountsOnlyOnPulsesAndEndsAfterItsCycles) {
    ExpectAll({{":PULS0:MOD DCYC", "ok"},
               {":PULS0:PCO 2", "ok"},
               {":PULS0:OCO 3", "ok"},
               {":PULS0:CYCL 2", "ok"},
               {":PULS0:STAT ON", "ok"}});
    Clock.AdvanceMs(4); // ticks 0..4: on, on, off, off, off
    ExpectAll({{":COUN:PULS?", "2"}, {":PULS0:STAT?", "1"}});
    Clock.AdvanceMs(100);
    ExpectAll({{":COUN:PULS?", "4"}, {":PULS0:STAT?", "0"}});
}

TEST_F(SimInstrumentTest, CounterClearsFreezesAndKeepsSixtyFourBits) {
    ExpectAll({{":PULS0:STAT ON", "ok"}});
    Clock.AdvanceMs(9);
    ExpectAll({{":COUN:PULS?", "10"}, {":COUN:CL 1", "ok"}, {":COUN:PULS?", "0"}});
    Clock.AdvanceMs(5);
    ExpectAll({{":COUN:PULS?", "5"}, {":COUN:STAT 0", "ok"}});
    Clock.AdvanceMs(50);
    ExpectAll({{":COUN:PULS?", "5"}, {":COUN:STAT 1", "ok"}});
    Clock.AdvanceMs(2);
    ExpectAll({{":COUN:PULS?", "7"}});
    Sim.SetShotCount(4294967296ULL + 5);
    ExpectAll({{":COUN:PULS?", "4294967301"}});
}

TEST_F(SimInstrumentTest, PeriodChangeWhileRunningKeepsTheScheduledPulse) {
    ExpectAll({{":PULS0:STAT ON", "ok"}});
    Clock.AdvanceNs(1500000); // pulses at 0 and 1 ms; the next was due at 2 ms
    ExpectAll({{":PULS0:PER 0.01", "ok"}, {":COUN:PULS?", "2"}});
    Clock.AdvanceNs(500000); // 2 ms
    ExpectAll({{":COUN:PULS?", "3"}});
    Clock.AdvanceMs(9);
    ExpectAll({{":COUN:PULS?", "3"}});
    Clock.AdvanceMs(1); // 12 ms
    ExpectAll({{":COUN:PULS?", "4"}});
}

TEST_F(SimInstrumentTest, NothingFiresWhileWaitingForAnExternalTrigger) {
    ExpectAll({{":TRIG1:MOD TRIG", "ok"}, {":PULS0:STAT ON", "ok"}});
    Clock.AdvanceMs(50);
    ExpectAll({{":PULS0:STAT?", "1"}, {":COUN:PULS?", "0"}, {":TRIG1:MOD DIS", "ok"}});
    Clock.AdvanceMs(3);
    ExpectAll({{":COUN:PULS?", "3"}});
}

TEST_F(SimInstrumentTest, ChannelCounterSourceCountsOnlyAnEnabledChannel) {
    ExpectAll({{":COUN:SEL CH1", "ok"}, {":PULS0:STAT ON", "ok"}});
    Clock.AdvanceMs(5);
    ExpectAll({{":COUN:PULS?", "0"}, {":PULS1:STAT 1", "ok"}});
    Clock.AdvanceMs(5);
    ExpectAll({{":COUN:PULS?", "5"}});
}

TEST_F(SimInstrumentTest, StorageBinsKeepTheWholeSetting) {
    ExpectAll({{":PULS0:PER 0.5", "ok"},
               {":PULS12:WIDT 0.001", "ok"},
               {":SYST:ICL 50", "ok"},
               {"*SAV 12", "ok"},
               {":PULS0:PER 0.25", "ok"},
               {"*RCL 0", "ok"},
               {"*CFG? 0?", "0 0.001000000 NORM 1 1 1 0"},
               {":SYST:ICLOCK?", "SYS"},
               {"*CFG?12?", FactoryChannel(2)},
               {"*RCL 12", "ok"},
               {"*CFG? 0?", "0 0.500000000 NORM 1 1 1 0"},
               {":SYST:ICLOCK?", "50"},
               {":PULS12:WIDT?", "0.00100000000"},
               {"*RCL 1", "ok"},
               {"*CFG? 0?", "0 0.001000000 NORM 1 1 1 0"}});
    TSimInstrument small(Identity("6180-6"), Clock);
    EXPECT_EQ(small.Reply("*SAV 6"), "ok");
    EXPECT_EQ(small.Reply("*SAV 7"), "ERR: out of range");
    EXPECT_EQ(small.Reply("*RCL 7"), "ERR: out of range");
}

TEST_F(SimInstrumentTest, ServiceCommandsWaitForTheAccessCode) {
    ExpectAll({{":SYST:SEC?", "1"},
               {"*SER?", "ERR: secured"},
               {"*SER 42", "ERR: secured"},
               {":SYST:BAD?", "ERR: secured"},
               {":SYST:BAD 1 12", "ERR: secured"},
               {":PULS1:CAL:DEL?", "ERR: secured"},
               {":PULS1:CAL:DEL 30", "ERR: secured"},
               {":TRIG1:CAL:GAIN 2000", "ERR: secured"},
               {"*STR 0", "ERR: secured"},
               {"*OPT", "ERR: secured"},
               {":SYST:SEC 27183", "ok"},
               {":SYST:SEC?", "0"},
               {"*SER?", "1234"},
               {"*SER 42", "ok"},
               {"*IDN?", "VK,6180-12,42,1.00-1.25"},
               {":SYST:BAD?", "1 12"},
               {":SYST:BAD 3 36", "ok"},
               {":SYST:BAD?", "3 36"}});
    TSimInstrument open(Identity("631K-6"), Clock, false);
    EXPECT_EQ(open.Reply(":SYST:SEC?"), "0");
    EXPECT_EQ(open.Reply(":SYST:BAD?"), "0 6");
}

TEST_F(SimInstrumentTest, CalibrationFactorsReadSetStoreAndOptimize) {
    ASSERT_EQ(R(":SYST:SEC 27183"), "ok");
    ExpectAll({{":TRIG1:CAL:GAIN?", "2048"},
               {":TRIG1:CAL:OFFS?", "100"},
               {":TRIG2:CAL:GAIN?", "2050"},
               {":TRIG2:CAL:OFFS?", "102"},
               {":GATE1:CAL:GAIN?", "2052"},
               {":GATE1:CAL:OFFS?", "104"},
               {":PULS1:CAL:WIDT?", "21"},
               {":PULS1:CAL:DEL?", "23"},
               {":PULS1:CAL:GAIN?", "3010"},
               {":PULS1:CAL:OFFS?", "99"},
               {":PULS12:CAL:WIDT?", "21"},
               {":PULS12:CAL:DEL?", "27"},
               {":PULS12:CAL:GAIN?", "3120"},
               {":PULS12:CAL:OFFS?", "88"},
               {":PULS12:CAL:DEL 30", "ok"},
               {":PULS12:CAL:DEL?", "30"},
               {":PULS1:CAL:OFFS -100", "ok"},
               {":TRIG2:CAL:GAIN 5000", "ok"}});
    const auto section = [this](const std::string &name) {
        const std::vector<std::string> dump = Sim.DumpLines();
        auto begin = std::find(dump.begin(), dump.end(), name) + 1;
        return std::vector<std::string>(begin, begin + 1 + 6 + 4 * 12);
    };
    EXPECT_EQ(section("[stored calibration]")[0], "stores 0");
    EXPECT_EQ(section("[stored calibration]")[1], ":TRIG1:CAL:GAIN 2048");
    ExpectAll({{"*STR 0", "ok"}});
    const std::vector<std::string> stored = section("[stored calibration]");
    EXPECT_EQ(stored[0], "stores 1");
    EXPECT_EQ(stored[4], ":TRIG2:CAL:OFFS 102");
    EXPECT_EQ(stored[3], ":TRIG2:CAL:GAIN 5000");
    EXPECT_EQ(stored.back(), ":PULS12:CAL:OFFS 88");
    EXPECT_EQ(stored[7 + 4 * 11 + 1], ":PULS12:CAL:DEL 30");
    ExpectAll({{"*OPT", "ok"},
               {":TRIG1:CAL:GAIN?", "2055"},
               {":TRIG1:CAL:OFFS?", "101"},
               {":TRIG2:CAL:GAIN?", "5000"},
               {":PULS1:CAL:WIDT?", "22"},
               {":PULS1:CAL:DEL?", "24"},
               {":PULS1:CAL:GAIN?", "3017"},
               {":PULS1:CAL:OFFS?", "-99"},
               {":PULS12:CAL:DEL?", "29"}});
    EXPECT_EQ(section("[stored calibration]"), stored);
}

} // namespace
