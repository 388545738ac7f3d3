#include "ConfigRecords.h"
#include "ConversionError.h"
#include "Keywords.h"
#include "SingleValues.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Instrument;

namespace {

// A record's fields in wire order, so that one comparison covers a whole record.
auto SystemFields(const TSystemSettings &m) {
    return std::make_tuple(m.SystemRunning, m.Period, m.SystemMode, m.BurstCount, m.DutyOnCount,
                           m.DutyOffCount, m.CycleCount);
}
auto TriggerFields(const TTrigGateSettings &m, int input) {
    return input == 1
               ? std::make_tuple(m.Trig1Mode, m.Trig1Edge, m.Trig1Level, m.Trig1Debounce)
               : std::make_tuple(m.Trig2Mode, m.Trig2Edge, m.TrigGate2Level, m.Trig2Debounce);
}
auto GateFields(const TTrigGateSettings &m, int input) {
    return input == 1
               ? std::make_tuple(m.Gate1Mode, m.Gate1Logic, m.Gate1Level, m.Gate1Debounce)
               : std::make_tuple(m.Gate2Mode, m.Gate2Logic, m.TrigGate2Level, m.Gate2Debounce);
}
auto ChannelFields(const TChannelSettings &m) {
    return std::make_tuple(m.Enabled, m.Delay, m.Width, m.Mode, m.BurstCount, m.DutyOnCount,
                           m.DutyOffCount, m.WaitCount, m.OutputMode, m.Polarity, m.Amplitude,
                           m.MuxMask, m.ControlMode, m.SyncSource, m.GateMode, m.GateLogic);
}

TEST(SystemRecord, FullReplyFillsEveryField) {
    TSystemSettings m;
    const TRecordStatus s = ParseSystemRecord(QStringLiteral("1 0.001 BURS 4000000000 1 1 0"), m);
    EXPECT_TRUE(s.Ok());
    EXPECT_EQ(s.FieldsApplied, SystemFieldCount);
    EXPECT_EQ(s.Unrecognised, 0u);
    EXPECT_EQ(SystemFields(m), std::make_tuple(true, 0.001, int(smBurst), 4000000000u, 1u, 1u, 0));
}

TEST(SystemRecord, CountsKeepTheLow32BitsAndLastFieldIsTrimmed) {
    TSystemSettings m;
    const auto s =
        ParseSystemRecord(QStringLiteral("0 0.000100000 DCYC 4294967297 -1 7 -25   "), m);
    EXPECT_TRUE(s.Ok()) << s.Error.toStdString();
    EXPECT_FALSE(m.SystemRunning);
    EXPECT_EQ(m.SystemMode, smDutyCycle);
    EXPECT_EQ(m.BurstCount, 1u);
    EXPECT_EQ(m.DutyOnCount, 4294967295u);
    EXPECT_EQ(m.DutyOffCount, 7u);
    EXPECT_EQ(m.CycleCount, -25);
}

TEST(SystemRecord, WhiteSpaceIsEveryCodeUpToBlankAndNothingElse) {
    TSystemSettings m;
    // Control bytes before a blank and at the end go; the field still converts.
    auto s = ParseSystemRecord(QStringLiteral("1\t 0.001\x01 NORM 5 1 1 3\x7f"), m);
    EXPECT_EQ(s.Error, "'3\x7f' is not a valid integer value"); // DEL is no white space
    s = ParseSystemRecord(QStringLiteral("1\t 0.002\x01 NORM 5 1 1 3\r\x02"), m);
    EXPECT_TRUE(s.Ok()) << s.Error.toStdString();
    EXPECT_EQ(m.Period, 0.002);
    EXPECT_EQ(m.CycleCount, 3);
    // A Latin-1 no-break space belongs to the field.
    s = ParseSystemRecord(QString::fromLatin1("1 0.003\xa0 NORM 5 1 1 3"), m);
    EXPECT_EQ(s.Error, QString::fromLatin1("'0.003\xa0' is not a valid floating point value"));
}

TEST(SystemRecord, UnknownRunStateAndModeKeepTheMirror) {
    TSystemSettings m;
    m.SystemRunning = true;
    m.SystemMode = smDutyCycle;
    const auto s = ParseSystemRecord(QStringLiteral("X 0.5 burs 1 2 3 4"), m);
    EXPECT_TRUE(s.Ok());
    EXPECT_TRUE(m.SystemRunning);
    EXPECT_EQ(m.SystemMode, smDutyCycle);
    EXPECT_FALSE(s.Recognised(sfRunState));
    EXPECT_FALSE(s.Recognised(sfMode));
    EXPECT_TRUE(s.Recognised(sfPeriod));
    EXPECT_TRUE(s.Applied(sfMode));
    EXPECT_EQ(m.Period, 0.5);
    EXPECT_EQ(m.CycleCount, 4);
}

struct TBadRecordCase {
    const char *record;
    int fieldsApplied;
    const char *error;
};

class BadSystemRecord : public ::testing::TestWithParam<TBadRecordCase> {};

TEST_P(BadSystemRecord, StopsAtTheFieldThatDoesNotConvert) {
    const auto &c = GetParam();
    TSystemSettings m;
    m.CycleCount = 77;
    const auto s = ParseSystemRecord(QString::fromLatin1(c.record), m);
    EXPECT_FALSE(s.Ok());
    EXPECT_EQ(s.FieldsApplied, c.fieldsApplied);
    EXPECT_EQ(s.Error.toStdString(), c.error);
    EXPECT_EQ(m.CycleCount, 77); // nothing after the failure is stored
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadSystemRecord,
    ::testing::Values(
        TBadRecordCase{"", 1, "'' is not a valid floating point value"},
        TBadRecordCase{"1 nan NORM 1 1 1 0", 1, "'nan' is not a valid floating point value"},
        TBadRecordCase{"1 0,001 NORM 1 1 1 0", 1, "'0,001' is not a valid floating point value"},
        TBadRecordCase{"1 0.001 NORM 12a 1 1 0", 3, "'12a' is not a valid integer value"},
        TBadRecordCase{"1 0.001 NORM 1 1 1 2147483648", 6,
                       "'2147483648' is not a valid integer value"},
        // a missing blank empties the field before it: the sixth, not the seventh, fails
        TBadRecordCase{"1 0.001 NORM 1 1 1", 5, "'' is not a valid integer value"},
        TBadRecordCase{"1  0.001 NORM 1 1 1 0", 1, "'' is not a valid floating point value"}));

// A reply that never found its line end: the message quotes the start of the field only.
TEST(SystemRecord, LongFieldIsQuotedByItsStart) {
    TSystemSettings m;
    const QString junk(65536, QLatin1Char('x'));
    EXPECT_EQ(ParseSystemRecord("1 " + junk + " NORM 1 1 1 0", m).Error,
              "'" + junk.left(40) + "...' is not a valid floating point value");
    EXPECT_EQ(NotAnIntegerMessage(junk.left(41)),
              "'" + junk.left(40) + "...' is not a valid integer value");
    EXPECT_EQ(NotAnIntegerMessage(junk.left(40)),
              "'" + junk.left(40) + "' is not a valid integer value");
}

TEST(SystemRecord, ThrowIfFailedCarriesTheMessage) {
    TSystemSettings m;
    const auto s = ParseSystemRecord(QStringLiteral("1 abc"), m);
    try {
        s.ThrowIfFailed();
        FAIL() << "no exception";
    } catch (const TConversionError &e) {
        EXPECT_EQ(e.Message(), "'' is not a valid floating point value");
        EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
    }
    const auto ok = ParseSystemRecord(QStringLiteral("1 0.5 NORM 1 1 1 0"), m);
    EXPECT_NO_THROW(ok.ThrowIfFailed());
}

TEST(TriggerRecords, InputsFillTheirOwnFields) {
    TTrigGateSettings m;
    EXPECT_TRUE(ParseTriggerRecord(1, QStringLiteral("TRIG FALL 2.50 ENAB"), m).Ok());
    EXPECT_EQ(TriggerFields(m, 1), std::make_tuple(1, 1, 2.5, 1));
    EXPECT_EQ(m.Trig2Mode, 0);
    EXPECT_TRUE(ParseTriggerRecord(2, QStringLiteral("DIS RIS 1.00 DIS"), m).Ok());
    EXPECT_EQ(TriggerFields(m, 2), std::make_tuple(0, 0, 1.0, 0));
    EXPECT_EQ(m.Trig1Level, 2.5);
}

TEST(GateRecords, SecondInputSharesTheThresholdAndTheLaterRecordWins) {
    TTrigGateSettings m;
    ASSERT_TRUE(ParseTriggerRecord(2, QStringLiteral("TRIG RIS 1.00 DIS"), m).Ok());
    ASSERT_TRUE(ParseGateRecord(1, QStringLiteral("CHAN HIGH 3.00 ENAB"), m).Ok());
    ASSERT_TRUE(ParseGateRecord(2, QStringLiteral("OUTP LOW 2.00 DIS"), m).Ok());
    EXPECT_EQ(GateFields(m, 1), std::make_tuple(int(gmChannel), 1, 3.0, 1));
    EXPECT_EQ(GateFields(m, 2), std::make_tuple(int(gmOutputInhibit), 0, 2.0, 0));
}

// A gate record that does not apply whole keeps what the mirror held: an unknown keyword
// (lower case is none) its field, a missing field the fields from there on. The last field
// is the rest of the line.
TEST(GateRecords, UnknownKeywordsAndMissingFieldsKeepTheMirror) {
    struct TCase {
        int input;
        const char *record;
        int fieldsApplied;
        int unknownField;                       // 0: none
        std::tuple<int, int, double, int> gate; // its fields afterwards
        const char *error;
    };
    const char *const noFloat = "'' is not a valid floating point value";
    const TCase cases[] = {
        {1, "PULS low 2.00 DIS", GateFieldCount, gfLogic, {gmPulseInhibit, 1, 2.0, 0}, ""},
        {2, "DIS LOW 2.00 DIS extra", GateFieldCount, gfDebounce, {gmDisabled, 0, 2.0, 1}, ""},
        // no blank after LOW: the logic field is empty, then the level is missing
        {1, "DIS LOW", 2, gfLogic, {gmDisabled, 1, 4.0, 0}, noFloat},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.record);
        TTrigGateSettings m;
        m.Gate1Logic = 1;
        m.Gate1Level = 4.0;
        m.Gate2Debounce = 1;
        const auto s = ParseGateRecord(c.input, QString::fromLatin1(c.record), m);
        EXPECT_EQ(s.Ok(), !*c.error);
        EXPECT_EQ(s.FieldsApplied, c.fieldsApplied);
        EXPECT_EQ(s.Unrecognised, c.unknownField ? 1u << (c.unknownField - 1) : 0u);
        EXPECT_EQ(s.Error.toStdString(), c.error);
        EXPECT_EQ(GateFields(m, c.input), c.gate);
    }
}

TEST(ChannelRecord, FullReply) {
    TChannelSettings m;
    const auto s = ParseChannelRecord(
        QStringLiteral("1 0.00000012500 0.00000001000 DCYC 5 6 7 8 ADJ INV 5.00 31 INHB SYNT "
                       "OUTP HIGH"),
        m);
    EXPECT_TRUE(s.Ok()) << s.Error.toStdString();
    EXPECT_EQ(s.FieldsApplied, ChannelFieldCount);
    EXPECT_EQ(ChannelFields(m), std::make_tuple(1, 1.25e-7, 1e-8, int(cmDutyCycle), 5, 6, 7, 8,
                                                int(omAdjustable), 1, 5.0, 31, 3, 3, 2, 1));
}

TEST(ChannelRecord, TTLAndUnknownKeywords) {
    TChannelSettings m;
    m.OutputMode = omAdjustable;
    m.GateMode = 1;
    const auto s = ParseChannelRecord(
        QStringLiteral("0 0 0.00000001000 NORM 1 1 1 0 TTL NORM 2.00 0 DIS DIS CHAN LOW"), m);
    EXPECT_TRUE(s.Ok());
    EXPECT_EQ(m.OutputMode, omTTL);
    EXPECT_EQ(m.GateMode, 1); // "CHAN" is not a channel gate mode
    EXPECT_FALSE(s.Recognised(cfGateMode));
    EXPECT_TRUE(s.Recognised(cfGateLogic));
}

TEST(ChannelRecord, ReplyEndingAfterFieldTwelveFailsThere) {
    TChannelSettings m;
    m.ControlMode = 2;
    const auto s = ParseChannelRecord(
        QStringLiteral("1 0.00000012500 0.00000001000 BURS 5 6 7 8 ADJ INV 5.00 31"), m);
    EXPECT_FALSE(s.Ok());
    EXPECT_EQ(s.FieldsApplied, cfAmplitude);
    EXPECT_EQ(s.Error, "'' is not a valid integer value");
    EXPECT_EQ(m.Amplitude, 5.0);
    EXPECT_EQ(m.MuxMask, 0);
    EXPECT_EQ(m.ControlMode, 2);
}

TEST(ChannelRecord, GarbageEmptyAndOverlongRepliesNeverCrash) {
    TChannelSettings m;
    EXPECT_EQ(ParseChannelRecord(QString(), m).Error, "'' is not a valid integer value");
    EXPECT_FALSE(ParseChannelRecord(QStringLiteral("\x01\x02\xff garbage"), m).Ok());
    const QString longReply = QStringLiteral("1 ") + QString(1 << 20, QLatin1Char('9'));
    const auto s = ParseChannelRecord(longReply, m);
    EXPECT_FALSE(s.Ok());
    EXPECT_EQ(s.FieldsApplied, 1);
    QString blanks(100000, QLatin1Char(' '));
    EXPECT_FALSE(ParseChannelRecord(blanks, m).Ok());
    TSystemSettings sys;
    EXPECT_FALSE(ParseSystemRecord(blanks, sys).Ok());
}

TEST(SingleValues, IntegerReplies) {
    EXPECT_TRUE(IsUnsecured(0));
    EXPECT_FALSE(IsUnsecured(1));
    EXPECT_FALSE(IsUnsecured(-1));
    EXPECT_TRUE(IsCheckedReply(1));
    EXPECT_FALSE(IsCheckedReply(0));
    EXPECT_FALSE(IsCheckedReply(2));
}

TEST(SingleValues, KeywordRepliesSetTheMirrorOnlyWhenKnown) {
    TSystemSettings m;
    EXPECT_TRUE(ApplyInputClockReply(QStringLiteral("80"), m));
    EXPECT_EQ(m.InputClock, 8);
    EXPECT_TRUE(ApplyInputClockReply(QStringLiteral("100"), m));
    EXPECT_EQ(m.InputClock, 9); // the selector has no item 9: it shows no selection
    EXPECT_FALSE(ApplyInputClockReply(QStringLiteral("T0"), m));
    EXPECT_EQ(m.InputClock, 9);
    EXPECT_TRUE(ApplyOutputClockReply(QStringLiteral("100"), m));
    EXPECT_EQ(m.OutputClock, 9);
    EXPECT_FALSE(ApplyOutputClockReply(QStringLiteral("SYS"), m));
    EXPECT_TRUE(ApplySyncOutputReply(QStringLiteral("GATE"), m));
    EXPECT_EQ(m.SyncOutput, 6);
    EXPECT_FALSE(ApplySyncOutputReply(QStringLiteral("CH1"), m));
    EXPECT_EQ(m.SyncOutput, 6);
    EXPECT_TRUE(ApplyCounterSourceReply(QStringLiteral("CH10"), m));
    EXPECT_EQ(m.CounterSource, 4);
    EXPECT_FALSE(ApplyCounterSourceReply(QStringLiteral("Ch1"), m));
    EXPECT_FALSE(ApplyCounterSourceReply(QString(), m));
    EXPECT_EQ(m.CounterSource, 4);
}

TEST(SingleValues, MuxCheckMarks) {
    EXPECT_EQ(MuxItemCountFor(6), 4);
    EXPECT_EQ(MuxItemCountFor(12), 5);
    EXPECT_EQ(MuxItemCountFor(36), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(MuxItemChecked(31, i));
    EXPECT_TRUE(MuxItemChecked(10, 1));
    EXPECT_TRUE(MuxItemChecked(10, 3));
    EXPECT_FALSE(MuxItemChecked(10, 0));
    EXPECT_FALSE(MuxItemChecked(10, 2));
    EXPECT_FALSE(MuxItemChecked(-1, 5));
    EXPECT_TRUE(MuxItemChecked(-1, 4));
}

} // namespace
