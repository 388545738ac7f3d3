#include "SettingsJson.h"

#include "AppState.h"
#include "Keywords.h"
#include "ModelTable.h"

#include <QJsonArray>

using namespace Instrument;

namespace {

QString Word(const TKeywordTable &(*table)(), int item) {
    return table().KeywordAt(item);
}

QJsonObject Input(int mode, const TKeywordTable &(*modes)(), const char *secondKey,
                  const TKeywordTable &(*second)(), int secondItem, int debounce, double level) {
    return {{"mode", Word(modes, mode)},
            {QLatin1String(secondKey), Word(second, secondItem)},
            {"debounce", Word(DebounceTable, debounce)},
            {"level_V", level}};
}

QJsonObject Channel(int n, const TChannelSettings &c) {
    return {{"channel", n},
            {"enabled", c.Enabled == 1},
            {"delay_s", c.Delay},
            {"width_s", c.Width},
            {"mode", Word(ChannelModeTable, c.Mode)},
            {"burst", c.BurstCount},
            {"wait", c.WaitCount},
            {"dutyon", c.DutyOnCount},
            {"dutyoff", c.DutyOffCount},
            {"polarity", Word(PolarityTable, c.Polarity)},
            {"output", Word(OutputModeTable, c.OutputMode)},
            {"amplitude_V", c.Amplitude},
            {"gate", Word(ChannelGateModeTable, c.GateMode)},
            {"sync", Word(ChannelSyncSourceTable, c.SyncSource)},
            {"mux", c.MuxMask},
            {"control", Word(ChannelControlTable, c.ControlMode)},
            {"logic", Word(ChannelGateLogicTable, c.GateLogic)}};
}

} // namespace

QJsonObject TSettingsJson::Build(const TAppState &state, const TExtras &extras) {
    const TIdentity &id = state.Identity;
    const QJsonObject identity{
        {"brand", id.Manufacturer},  {"company", BrandInfo(id.Manufacturer).CompanyName},
        {"model", id.ModelNumber},   {"channels", state.ChannelCount},
        {"serial", id.SerialNumber}, {"firmware", id.FirmwareVersion},
        {"fpga", id.FPGAVersion},    {"port", extras.Port},
        {"baud", extras.Baud}};
    const TSystemSettings &s = state.SystemSettings;
    const QJsonObject system{{"running", s.SystemRunning},
                             {"period_s", s.Period},
                             {"mode", Word(SystemModeTable, s.SystemMode)},
                             {"burst", qint64(s.BurstCount)},
                             {"dutyon", qint64(s.DutyOnCount)},
                             {"dutyoff", qint64(s.DutyOffCount)},
                             {"cycles", s.CycleCount},
                             {"autostart", extras.AutoStart == 1},
                             {"sync", Word(SyncOutputTable, s.SyncOutput)},
                             // The reply may name a clock the selector lacks.
                             {"iclock", InputClockReplyKeywords().value(s.InputClock)},
                             {"oclock", Word(OutputClockTable, s.OutputClock)},
                             {"counter", extras.CounterEnable == 1},
                             {"countersource", Word(CounterSourceTable, s.CounterSource)}};
    const TTrigGateSettings &t = state.TrigGateSettings;
    const QJsonObject inputs{
        {"trig1", Input(t.Trig1Mode, TriggerModeTable, "edge", TriggerEdgeTable, t.Trig1Edge,
                        t.Trig1Debounce, t.Trig1Level)},
        {"trig2", Input(t.Trig2Mode, TriggerModeTable, "edge", TriggerEdgeTable, t.Trig2Edge,
                        t.Trig2Debounce, t.TrigGate2Level)},
        {"gate1", Input(t.Gate1Mode, GateModeTable, "logic", GateLogicTable, t.Gate1Logic,
                        t.Gate1Debounce, t.Gate1Level)},
        {"gate2", Input(t.Gate2Mode, GateModeTable, "logic", GateLogicTable, t.Gate2Logic,
                        t.Gate2Debounce, t.TrigGate2Level)}};
    QJsonArray channels;
    for (int n = 1; n <= state.ChannelCount && n <= MaxChannels; ++n)
        channels.append(Channel(n, state.ChannelSettings[n]));
    return {{"identity", identity}, {"system", system}, {"inputs", inputs}, {"channels", channels}};
}
