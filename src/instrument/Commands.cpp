#include "Commands.h"

#include "Keywords.h"
#include "NumberFormat.h"

namespace Instrument {

namespace {

QString WithArg(const QString &prefix, const QString &arg) {
    return prefix + QLatin1Char(' ') + arg;
}

QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// ":TRIG1:MOD TRIG": family and input number, the setting's suffix, the argument.
QString InputCmd(const char *family, int input, const char *suffix, const QString &arg) {
    const QString prefix = QLatin1Char(':') + QLatin1String(family) + QString::number(input);
    return WithArg(prefix + QLatin1String(suffix), arg);
}

} // namespace

QString ChannelRecordQuery(int channel) {
    return QStringLiteral("*CFG?") + QString::number(channel);
}

QString TrigGateRecordQuery(int record) {
    return QStringLiteral("*CFG? ") + QString::number(record);
}

QString RestoreRecordCommand(int record, const QString &recordText) {
    return QStringLiteral("*CFG ") + QString::number(record) + QLatin1Char(' ') + recordText;
}

QString PeriodCommand(double seconds) {
    return WithArg(QStringLiteral(":PULS0:PER"), FormatPeriod(seconds));
}

QString SystemModeCommand(int item) {
    return WithArg(QStringLiteral(":PULS0:MOD"), SystemModeTable().KeywordAt(item));
}

QString SystemBurstCommand(std::uint32_t count) {
    return WithArg(QStringLiteral(":PULS0:BCO"), FormatUnsigned(count));
}

QString SystemDutyOnCommand(std::uint32_t count) {
    return WithArg(QStringLiteral(":PULS0:PCO"), FormatUnsigned(count));
}

QString SystemDutyOffCommand(std::uint32_t count) {
    return WithArg(QStringLiteral(":PULS0:OCO"), FormatUnsigned(count));
}

QString SystemCycleCommand(std::int32_t count) {
    return WithArg(QStringLiteral(":PULS0:CYCL"), FormatSigned(count));
}

QString AutoStartCommand(bool on) {
    return WithArg(QStringLiteral(":SYST:AUT"), Flag(on));
}

QString SyncOutputCommand(int item) {
    return WithArg(QStringLiteral(":SYST:SYNC"), SyncOutputTable().KeywordAt(item));
}

QString TriggerModeCommand(int input, int item) {
    return InputCmd("TRIG", input, ":MOD", TriggerModeTable().KeywordAt(item));
}

QString TriggerEdgeCommand(int input, int item) {
    return InputCmd("TRIG", input, ":EDG", TriggerEdgeTable().KeywordAt(item));
}

QString TriggerDebounceCommand(int input, int item) {
    return InputCmd("TRIG", input, ":DEB", DebounceTable().KeywordAt(item));
}

QString TriggerLevelCommand(int input, double volts) {
    return InputCmd("TRIG", input, ":LEV", FormatLevel(volts));
}

QString Gate1LevelCommand(double volts) {
    return InputCmd("GATE", 1, ":LEV", FormatLevel(volts));
}

QString GateModeCommand(int input, int item) {
    return InputCmd("GATE", input, ":MOD", GateModeTable().KeywordAt(item));
}

QString GateLogicCommand(int input, int item) {
    return InputCmd("GAT", input, ":LOG", GateLogicTable().KeywordAt(item));
}

QString GateDebounceCommand(int input, int item) {
    return InputCmd("GAT", input, ":DEB", DebounceTable().KeywordAt(item));
}

QString InputClockCommand(int item) {
    return WithArg(QStringLiteral(":SYST:ICL"), InputClockTable().KeywordAt(item));
}

QString OutputClockCommand(int item) {
    return WithArg(QStringLiteral(":SYST:OCL"), OutputClockTable().KeywordAt(item));
}

QString CounterSourceCommand(int item) {
    return WithArg(QStringLiteral(":COUN:SEL"), CounterSourceTable().KeywordAt(item));
}

QString CounterEnableCommand(bool on) {
    return WithArg(QStringLiteral(":COUN:STAT"), Flag(on));
}

QString ClearCounterCommand() {
    return QStringLiteral(":COUN:CL 1");
}

QString ChannelPrefix(int channel) {
    return QStringLiteral(":PULS") + QString::number(channel);
}

namespace {

QString ChannelCmd(int channel, const char *suffix, const QString &arg) {
    return ChannelPrefix(channel) + QLatin1String(suffix) + QLatin1Char(' ') + arg;
}

} // namespace

QString ChannelEnableCommand(int channel, bool on) {
    return ChannelCmd(channel, ":STAT", Flag(on));
}

QString ChannelDelayCommand(int channel, double seconds) {
    return ChannelCmd(channel, ":DEL", FormatTime(seconds));
}

QString ChannelWidthCommand(int channel, double seconds) {
    return ChannelCmd(channel, ":WIDT", FormatTime(seconds));
}

QString ChannelModeCommand(int channel, int item) {
    return ChannelCmd(channel, ":MOD", ChannelModeTable().KeywordAt(item));
}

QString ChannelBurstCommand(int channel, std::int32_t count) {
    return ChannelCmd(channel, ":BCO", FormatSigned(count));
}

QString ChannelWaitCommand(int channel, std::int32_t count) {
    return ChannelCmd(channel, ":WCO", FormatSigned(count));
}

QString ChannelDutyOnCommand(int channel, std::int32_t count) {
    return ChannelCmd(channel, ":PCO", FormatSigned(count));
}

QString ChannelDutyOffCommand(int channel, std::int32_t count) {
    return ChannelCmd(channel, ":OCO", FormatSigned(count));
}

QString ChannelPolarityCommand(int channel, int item) {
    return ChannelCmd(channel, ":OUTP:POL", PolarityTable().KeywordAt(item));
}

QString ChannelOutputModeCommand(int channel, int item) {
    return ChannelCmd(channel, ":OUTP:MOD", OutputModeTable().KeywordAt(item));
}

QString ChannelAmplitudeCommand(int channel, double volts) {
    return ChannelCmd(channel, ":OUTP:AMPL", FormatLevel(volts));
}

QString ChannelGateModeCommand(int channel, int item) {
    return ChannelCmd(channel, ":CGAT", ChannelGateModeTable().KeywordAt(item));
}

QString ChannelSyncSourceCommand(int channel, int item) {
    return ChannelCmd(channel, ":SYNC", ChannelSyncSourceTable().KeywordAt(item));
}

QString ChannelMuxCommand(int channel, int mask) {
    return ChannelCmd(channel, ":MUX", QString::number(mask));
}

QString ChannelControlCommand(int channel, int item) {
    return ChannelCmd(channel, ":CONT", ChannelControlTable().KeywordAt(item));
}

QString ChannelGateLogicCommand(int channel, int item) {
    return ChannelCmd(channel, ":CLOG", ChannelGateLogicTable().KeywordAt(item));
}

QString RunCommand(bool run) {
    return run ? QStringLiteral(":PULS0:STAT ON") : QStringLiteral(":PULS0:STAT OFF");
}

QString SaveBinCommand(int bin) {
    return QStringLiteral("*SAV ") + QString::number(bin);
}

QString RecallBinCommand(int bin) {
    return QStringLiteral("*RCL ") + QString::number(bin);
}

int NumberFromName(const QString &name) {
    QString digits;
    for (const QChar c : name)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    const auto n = ParseInt32(digits);
    return n ? *n : -1;
}

} // namespace Instrument
