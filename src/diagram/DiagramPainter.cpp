#include "DiagramPainter.h"

#include "EngineeringUnits.h"
#include "GridStep.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace Diagram {

const QColor TDiagramPainter::PulseFill(0xcf, 0xe0, 0xf7);
const QColor TDiagramPainter::DisabledFill(0xe6, 0xe6, 0xe6);
const QColor TDiagramPainter::OverflowFill(0xf6, 0xc4, 0xc4);
const QColor TDiagramPainter::Background(Qt::white);

namespace {

const QColor PulseLine(0x1f, 0x4e, 0x9c);
const QColor DisabledLine(0x9a, 0x9a, 0x9a);
const QColor OverflowLine(0xc6, 0x28, 0x28);
const QColor GridLine(0xe4, 0xe4, 0xe4);
const QColor PeriodLine(0x60, 0x60, 0x60);
const QColor ZebraRow(0xf7, 0xf9, 0xfc);
const QColor LabelBack(0xf2, 0xf2, 0xf2);
const QColor MarkLine(0xe0, 0x80, 0x00);
const QColor ChainLine(0x70, 0x70, 0x70);

// Pulse heights inside a row.
constexpr int Inset = 7;
// Far enough outside any view to stay off screen, small enough for the paint engines.
constexpr double FarOff = 1e6;

} // namespace

TDiagramPainter::TDiagramPainter(const TDiagramScene &scene, const TTimeAxis &axis,
                                 const TRowLayout &layout)
    : FScene(scene), FAxis(axis), FLayout(layout) {}

int TDiagramPainter::X(double t) const {
    const double px = std::clamp(FAxis.ToPixel(t), -FarOff, FarOff);
    return FLayout.LabelWidth + int(std::lround(px));
}

void TDiagramPainter::Paint(QPainter &p, QSize size, int scroll, const TEdgeMarks &marks) const {
    p.save();
    p.fillRect(QRect(QPoint(0, 0), size), Background);
    const int rows = int(FScene.Rows.size());
    const int first = std::max(0, scroll / FLayout.RowHeight);
    const int last = std::min(rows - 1, (scroll + size.height()) / FLayout.RowHeight);

    p.save();
    p.setClipRect(QRect(0, FLayout.HeaderHeight, size.width(), size.height()));
    for (int r = first; r <= last; ++r)
        if (r % 2)
            p.fillRect(QRect(0, FLayout.RowTop(r, scroll), size.width(), FLayout.RowHeight),
                       ZebraRow);
    p.setClipRect(QRect(FLayout.LabelWidth, FLayout.HeaderHeight, size.width() - FLayout.LabelWidth,
                        size.height()));
    PaintGrid(p, size);
    for (int r = first; r <= last; ++r) {
        const TDiagramRow &row = FScene.Rows[size_t(r)];
        if (row.IsT0)
            PaintT0(p, FLayout.RowTop(r, scroll), size.width());
        else
            PaintRow(p, row, FLayout.RowTop(r, scroll), size.width());
    }
    PaintMarks(p, size, marks);
    p.restore();

    p.save();
    p.setClipRect(QRect(0, FLayout.HeaderHeight, FLayout.LabelWidth, size.height()));
    p.fillRect(QRect(0, FLayout.HeaderHeight, FLayout.LabelWidth, size.height()), LabelBack);
    for (int r = first; r <= last; ++r)
        PaintLabel(p, FScene.Rows[size_t(r)], FLayout.RowTop(r, scroll));
    p.setPen(PeriodLine);
    p.drawLine(FLayout.LabelWidth - 1, 0, FLayout.LabelWidth - 1, size.height());
    p.restore();

    PaintScale(p, size);
    p.restore();
}

void TDiagramPainter::PaintGrid(QPainter &p, QSize size) const {
    const double step = GridStep(FAxis.SecondsPerPixel());
    const double t0 = FAxis.Start();
    const double t1 = FAxis.End(size.width() - FLayout.LabelWidth);
    p.setPen(QPen(GridLine, 1));
    for (double k = std::ceil(t0 / step); k * step <= t1; ++k)
        p.drawLine(X(k * step), FLayout.HeaderHeight, X(k * step), size.height());
    if (FScene.Period <= 0.0)
        return;
    // Period boundaries: T0 fires at every one.
    p.setPen(QPen(PeriodLine, 1, Qt::DashLine));
    const double firstPeriod = std::ceil(t0 / FScene.Period);
    const double lastPeriod = std::floor(t1 / FScene.Period);
    if (lastPeriod - firstPeriod > size.width() / 4.0)
        return; // closer than four pixels apart: they would only paint the view grey
    for (double k = firstPeriod; k <= lastPeriod; ++k)
        p.drawLine(X(k * FScene.Period), FLayout.HeaderHeight, X(k * FScene.Period), size.height());
}

void TDiagramPainter::PaintT0(QPainter &p, int top, int width) const {
    const int high = top + Inset, low = top + FLayout.RowHeight - Inset;
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(FLayout.LabelWidth, low, width, low);
    if (FScene.Period <= 0.0) {
        p.fillRect(QRect(X(0.0), high, 3, low - high), Qt::black);
        return;
    }
    const double t0 = FAxis.Start(), t1 = FAxis.End(width - FLayout.LabelWidth);
    const double first = std::ceil(t0 / FScene.Period), last = std::floor(t1 / FScene.Period);
    if (last - first > width / 4.0)
        return;
    for (double k = first; k <= last; ++k)
        p.fillRect(QRect(X(k * FScene.Period), high, 3, low - high), Qt::black);
}

void TDiagramPainter::PaintRow(QPainter &p, const TDiagramRow &row, int top, int width) const {
    const int high = top + Inset, low = top + FLayout.RowHeight - Inset;
    const int base = row.Inverted ? high : low;
    const int peak = row.Inverted ? low : high;
    const QColor line = row.Enabled ? PulseLine : DisabledLine;
    const QColor fill = row.Enabled ? PulseFill : DisabledFill;

    // The delay measured from another channel's edge: a dotted line from that edge.
    if (row.Reference != 0.0 || !row.Chain.isEmpty()) {
        const int mid = top + FLayout.RowHeight / 2;
        p.setPen(QPen(ChainLine, 1, Qt::DotLine));
        p.drawLine(X(row.Reference), mid, X(row.Start), mid);
        p.drawLine(X(row.Reference), mid - 4, X(row.Reference), mid + 4);
    }

    const int x0 = X(row.Start), x1 = std::max(X(row.End), x0 + 1);
    const bool overflow = FScene.Period > 0.0 && row.End > FScene.Period;
    const int xp = overflow ? std::clamp(X(FScene.Period), x0, x1) : x1;
    p.fillRect(QRect(x0, high, xp - x0, low - high), fill);
    if (overflow)
        p.fillRect(QRect(xp, high, x1 - xp, low - high), OverflowFill);

    p.setPen(QPen(line, row.Enabled ? 2 : 1, row.Enabled ? Qt::SolidLine : Qt::DashLine));
    const QPolygon wave{QPoint(FLayout.LabelWidth, base),
                        QPoint(x0, base),
                        QPoint(x0, peak),
                        QPoint(x1, peak),
                        QPoint(x1, base),
                        QPoint(width, base)};
    p.drawPolyline(wave);
    if (overflow) {
        p.setPen(QPen(OverflowLine, 2));
        p.drawLine(xp, peak, x1, peak);
    }
}

void TDiagramPainter::PaintLabel(QPainter &p, const TDiagramRow &row, int top) const {
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(row.Enabled || row.IsT0 ? Qt::black : DisabledLine);
    const int left = 6, w = FLayout.LabelWidth - left - 4;
    p.drawText(QRect(left, top + 2, 46, 15), Qt::AlignLeft | Qt::AlignVCenter, row.Name);
    font.setBold(false);
    font.setPixelSize(10);
    p.setFont(font);
    p.drawText(QRect(left + 46, top + 2, w - 46, 15), Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(row.Summary, Qt::ElideRight, w - 46));
    QString second = row.Chain;
    if (!row.Flags.isEmpty()) {
        p.setPen(OverflowLine);
        second = QStringLiteral("\u26A0 ") + (second.isEmpty() ? row.Flags.first() : second);
    }
    p.drawText(QRect(left, top + 17, w - 52, 14), Qt::AlignLeft | Qt::AlignVCenter,
               p.fontMetrics().elidedText(second, Qt::ElideRight, w - 52));
    // Multiplexer: a box per item, filled when that timer feeds the output.
    for (int i = 0; i < row.MuxItems; ++i) {
        const QRect box(FLayout.LabelWidth - 10 - (row.MuxItems - i) * 9, top + 20, 7, 7);
        p.setPen(DisabledLine);
        p.setBrush(row.MuxMask & (1 << i) ? QBrush(PulseLine) : QBrush(Qt::white));
        p.drawRect(box);
    }
    p.setBrush(Qt::NoBrush);
}

void TDiagramPainter::PaintMarks(QPainter &p, QSize size, const TEdgeMarks &marks) const {
    p.setPen(QPen(MarkLine, 1));
    for (const auto &m : {marks.A, marks.B})
        if (m)
            p.drawLine(X(*m), FLayout.HeaderHeight, X(*m), size.height());
}

void TDiagramPainter::PaintScale(QPainter &p, QSize size) const {
    p.fillRect(QRect(0, 0, size.width(), FLayout.HeaderHeight), LabelBack);
    p.setPen(PeriodLine);
    p.drawLine(0, FLayout.HeaderHeight - 1, size.width(), FLayout.HeaderHeight - 1);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(false);
    p.setFont(font);
    const double step = GridStep(FAxis.SecondsPerPixel());
    const double t0 = FAxis.Start(), t1 = FAxis.End(size.width() - FLayout.LabelWidth);
    p.setClipRect(
        QRect(FLayout.LabelWidth, 0, size.width() - FLayout.LabelWidth, FLayout.HeaderHeight));
    for (double k = std::ceil(t0 / step); k * step <= t1; ++k) {
        const int x = X(k * step);
        p.drawLine(x, FLayout.HeaderHeight - 6, x, FLayout.HeaderHeight - 1);
        p.drawText(QRect(x - 60, 2, 120, FLayout.HeaderHeight - 8), Qt::AlignCenter,
                   FormatTime(std::fabs(k) < 0.5 ? 0.0 : k * step, step));
    }
    p.setClipping(false);
    p.drawText(QRect(6, 2, FLayout.LabelWidth - 8, FLayout.HeaderHeight - 4),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Time"));
}

} // namespace Diagram
