#include "DiagramScene.h"

#include "DiagramFlags.h"
#include "EngineeringUnits.h"
#include "Keywords.h"
#include "SyncChain.h"

#include <algorithm>

namespace Diagram {

namespace {

QString ModeText(const Instrument::TKeywordTable &table, int mode, qint64 burst, qint64 on,
                 qint64 off) {
    switch (mode) {
    case Instrument::cmBurst:
        return QStringLiteral("Burst %1").arg(burst);
    case Instrument::cmDutyCycle:
        return QStringLiteral("Duty Cycle %1 on / %2 off").arg(on).arg(off);
    default:
        return mode >= 0 && mode < table.Count() ? table.Captions[mode] : QString();
    }
}

QString ChannelSummary(const TChannelSnapshot &c) {
    QStringList parts{ModeText(Instrument::ChannelModeTable(), c.Mode, c.BurstCount, c.DutyOnCount,
                               c.DutyOffCount)};
    if (c.WaitCount > 0)
        parts << QStringLiteral("wait %1").arg(c.WaitCount);
    const Instrument::TKeywordTable &gates = Instrument::ChannelGateModeTable();
    if (c.GateMode > 0 && c.GateMode < gates.Count())
        parts << gates.Captions[c.GateMode];
    if (!c.Enabled)
        parts << QStringLiteral("disabled");
    parts.removeAll(QString());
    return parts.join(QStringLiteral(", "));
}

} // namespace

TDiagramScene BuildScene(const TDiagramSnapshot &s) {
    TDiagramScene scene;
    scene.Period = s.Period;
    TDiagramRow t0;
    t0.Name = RowName(ChainT0);
    t0.IsT0 = true;
    t0.Summary = ModeText(Instrument::SystemModeTable(), s.SystemMode, s.BurstCount, s.DutyOnCount,
                          s.DutyOffCount) +
                 QStringLiteral(", period ") + FormatTime(s.Period);
    t0.End = s.Period;
    t0.Flags = SystemFlags(s);
    scene.Rows.push_back(t0);
    for (int n = 1; n <= s.ChannelCount; ++n) {
        const TChannelSnapshot &c = s.Channels[size_t(n)];
        const TSyncChain chain = ResolveSyncChain(s, n);
        TDiagramRow row;
        row.Name = RowName(n);
        row.Summary = ChannelSummary(c);
        if (chain.Path.size() > 2 || chain.Path.value(0) == ChainTrigger)
            row.Chain = ChainText(chain.Path);
        row.Enabled = c.Enabled;
        row.Inverted = c.Polarity == 1;
        row.Start = chain.Start;
        row.Reference = chain.Start - c.Delay;
        row.End = chain.Start + c.Width;
        row.MuxMask = c.MuxMask;
        row.MuxItems = s.MuxItems;
        row.Flags = ChannelFlags(s, n, chain);
        scene.Rows.push_back(row);
    }
    return scene;
}

QString RowDescription(const TDiagramRow &row) {
    if (row.IsT0)
        return row.Name + QStringLiteral(": ") + row.Summary;
    QStringList parts{row.Name + QStringLiteral(": pulse from ") + FormatTime(row.Start, 1e-12) +
                          QStringLiteral(" to ") + FormatTime(row.End, 1e-12),
                      row.Summary};
    if (row.Inverted)
        parts << QStringLiteral("inverted");
    if (!row.Chain.isEmpty())
        parts << row.Chain;
    parts << row.Flags;
    return parts.join(QStringLiteral(", "));
}

std::pair<double, double> TDiagramScene::PulseSpan() const {
    const bool anyEnabled = std::any_of(Rows.begin(), Rows.end(),
                                        [](const TDiagramRow &r) { return !r.IsT0 && r.Enabled; });
    bool found = false;
    double first = 0.0, last = 0.0;
    for (const TDiagramRow &r : Rows) {
        if (r.IsT0 || (anyEnabled && !r.Enabled))
            continue;
        first = found ? std::min(first, r.Start) : r.Start;
        last = found ? std::max(last, r.End) : r.End;
        found = true;
    }
    if (!found || !(last > first))
        return {0.0, Period};
    return {first, last};
}

QStringList TDiagramScene::AllFlags() const {
    QStringList out;
    for (const TDiagramRow &r : Rows)
        out << r.Flags;
    return out;
}

} // namespace Diagram
