#include "PanelAgreement.h"

#include "ConfigRecords.h"
#include "MainForm.h"
#include "SingleValues.h"

#include <QCheckBox>

QStringList PanelDisagreements(const TMainForm &f, const QMap<QString, QStringList> &dump) {
    using namespace Instrument;
    TSystemSettings s;
    TTrigGateSettings t;
    TChannelSettingsArray c{};
    bool autoStart = false, counter = false;
    const int channels = qBound(0, f.Session().State.ChannelCount, int(MaxChannels));
    for (const QString &line : dump.value("state")) {
        const QString command = line.section(' ', 0, 0), rest = line.section(' ', 1);
        const int record = rest.section(' ', 0, 0).toInt();
        const QString text = rest.section(' ', 1);
        if (command == "*CFG" && record == 0)
            ParseSystemRecord(text, s);
        else if (command == "*CFG" && (record == 90 || record == 91))
            ParseTriggerRecord(record - 89, text, t);
        else if (command == "*CFG" && (record == 92 || record == 93))
            ParseGateRecord(record - 91, text, t);
        else if (command == "*CFG" && record >= 1 && record <= channels)
            ParseChannelRecord(text, c[size_t(record)]);
        else if (command == ":SYST:AUT")
            autoStart = rest == "1";
        else if (command == ":COUN:STAT")
            counter = rest == "1";
        else if (command == ":SYST:ICLOCK")
            ApplyInputClockReply(rest, s);
        else if (command == ":SYST:OCL")
            ApplyOutputClockReply(rest, s);
        else if (command == ":SYST:SYNC")
            ApplySyncOutputReply(rest, s);
        else if (command == ":COUN:SEL")
            ApplyCounterSourceReply(rest, s);
    }
    QStringList out;
    const auto same = [&](const QString &name, auto panel, auto instrument, int decimals = -1) {
        const auto text = [decimals](auto v) {
            return decimals < 0 ? QString::number(qint64(v)) : QString::number(v, 'f', decimals);
        };
        if (text(panel) != text(instrument))
            out << name + ": panel " + text(panel) + ", instrument " + text(instrument);
    };
    const TSystemSettings &ps = f.Session().State.SystemSettings;
    same("period", ps.Period, s.Period, 9);
    same("mode", ps.SystemMode, s.SystemMode);
    same("burst", ps.BurstCount, s.BurstCount);
    same("duty on", ps.DutyOnCount, s.DutyOnCount);
    same("duty off", ps.DutyOffCount, s.DutyOffCount);
    same("cycles", ps.CycleCount, s.CycleCount);
    same("sync output", ps.SyncOutput, s.SyncOutput);
    same("input clock", ps.InputClock, s.InputClock);
    same("output clock", ps.OutputClock, s.OutputClock);
    same("counter source", ps.CounterSource, s.CounterSource);
    same("auto start", f.AutoStartEnbl->isChecked(), autoStart);
    same("counter on", f.ShotCountEnbl->isChecked(), counter);
    const TTrigGateSettings &pt = f.Session().State.TrigGateSettings;
    same("trig 1 mode", pt.Trig1Mode, t.Trig1Mode);
    same("trig 2 mode", pt.Trig2Mode, t.Trig2Mode);
    same("trig 1 edge", pt.Trig1Edge, t.Trig1Edge);
    same("trig 2 edge", pt.Trig2Edge, t.Trig2Edge);
    same("trig 1 debounce", pt.Trig1Debounce, t.Trig1Debounce);
    same("trig 2 debounce", pt.Trig2Debounce, t.Trig2Debounce);
    same("gate 1 debounce", pt.Gate1Debounce, t.Gate1Debounce);
    same("gate 2 debounce", pt.Gate2Debounce, t.Gate2Debounce);
    same("gate 1 mode", pt.Gate1Mode, t.Gate1Mode);
    same("gate 2 mode", pt.Gate2Mode, t.Gate2Mode);
    same("gate 1 logic", pt.Gate1Logic, t.Gate1Logic);
    same("gate 2 logic", pt.Gate2Logic, t.Gate2Logic);
    same("trig 1 level", pt.Trig1Level, t.Trig1Level, 2);
    same("gate 1 level", pt.Gate1Level, t.Gate1Level, 2);
    same("trig/gate 2 level", pt.TrigGate2Level, t.TrigGate2Level, 2);
    for (int n = 1; n <= channels; ++n) {
        const TChannelSettings &p = f.Session().State.ChannelSettings[size_t(n)], &i = c[size_t(n)];
        const QString ch = "ch " + QString::number(n) + ' ';
        same(ch + "enabled", p.Enabled, i.Enabled);
        same(ch + "delay", p.Delay, i.Delay, 11);
        same(ch + "width", p.Width, i.Width, 11);
        same(ch + "mode", p.Mode, i.Mode);
        same(ch + "burst", p.BurstCount, i.BurstCount);
        same(ch + "duty on", p.DutyOnCount, i.DutyOnCount);
        same(ch + "duty off", p.DutyOffCount, i.DutyOffCount);
        same(ch + "wait", p.WaitCount, i.WaitCount);
        same(ch + "output mode", p.OutputMode, i.OutputMode);
        same(ch + "polarity", p.Polarity, i.Polarity);
        same(ch + "amplitude", p.Amplitude, i.Amplitude, 2);
        same(ch + "mux", p.MuxMask, i.MuxMask);
        same(ch + "control", p.ControlMode, i.ControlMode);
        same(ch + "sync", p.SyncSource, i.SyncSource);
        same(ch + "gate mode", p.GateMode, i.GateMode);
        same(ch + "gate logic", p.GateLogic, i.GateLogic);
    }
    return out;
}
