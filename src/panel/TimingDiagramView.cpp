#include "TimingDiagramView.h"

#include "AccessibleFactory.h"
#include "TimingDiagramAccessible.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QRubberBand>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

using namespace Diagram;

namespace {

// A press that moves less than this is a click.
constexpr int ClickSlop = 3;
// A click this close to an edge marks it.
constexpr int EdgeReach = 6;
constexpr double WheelStep = 0.8; // zoom per notch
constexpr double FitMargin = 0.02;

} // namespace

TTimingDiagramView::TTimingDiagramView(QWidget *parent) : QWidget(parent) {
    InstallAccessibleFactory<TTimingDiagramAccessible, TTimingDiagramView>();
    setObjectName("TimingDiagramView");
    setAccessibleName("Timing Diagram");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(FLayout.LabelWidth + 200, FLayout.ContentHeight(3));
    FBand = new QRubberBand(QRubberBand::Rectangle, this);
}

int TTimingDiagramView::PlotWidth() const {
    return std::max(1, width() - FLayout.LabelWidth);
}

void TTimingDiagramView::SetScene(const TDiagramScene &scene) {
    FScene = scene;
    SetScroll(FScroll); // the row count may have changed
    ScrollChangedNow();
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    update();
}

void TTimingDiagramView::FitPeriod() {
    if (FScene.Period > 0.0)
        FAxis.Fit(0.0, FScene.Period, PlotWidth(), FitMargin);
    else
        FitPulses();
    update();
}

void TTimingDiagramView::FitPulses() {
    const auto span = FScene.PulseSpan();
    FAxis.Fit(span.first, span.second, PlotWidth(), FitMargin);
    update();
}

int TTimingDiagramView::MaxScroll() const {
    return FLayout.MaxScroll(int(FScene.Rows.size()), height());
}

void TTimingDiagramView::SetScroll(int scroll) {
    const int clamped = std::clamp(scroll, 0, MaxScroll());
    if (clamped == FScroll)
        return;
    FScroll = clamped;
    ScrollChangedNow();
    update();
}

void TTimingDiagramView::ScrollChangedNow() {
    emit ScrollChanged(FScroll, MaxScroll());
}

// Over the names: the row's notes in full, which the column may have had to shorten.
bool TTimingDiagramView::event(QEvent *event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int r = FLayout.RowAt(help->pos().y(), int(FScene.Rows.size()), FScroll);
    if (r < 0 || help->pos().x() >= FLayout.LabelWidth) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const TDiagramRow &row = FScene.Rows[size_t(r)];
    QStringList lines{row.Name + ": " + row.Summary};
    if (!row.Chain.isEmpty())
        lines << row.Chain;
    lines << row.Flags;
    QToolTip::showText(help->globalPos(), lines.join('\n'), this);
    return true;
}

void TTimingDiagramView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    TDiagramPainter(FScene, FAxis, FLayout).Paint(p, size(), FScroll, FMarks);
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// A wider or narrower window shows the same span of time, so the fit made when the
// window first appeared (before its final size) still holds.
void TTimingDiagramView::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    const int oldPlot = event->oldSize().width() - FLayout.LabelWidth;
    if (oldPlot > 0)
        FAxis.Fit(FAxis.Start(), FAxis.End(oldPlot), PlotWidth());
    SetScroll(FScroll);
    ScrollChangedNow();
}

void TTimingDiagramView::Zoom(double px, double factor) {
    FAxis.ZoomAround(px, factor);
    update();
}

void TTimingDiagramView::wheelEvent(QWheelEvent *event) {
    const QPointF pos = event->position();
    const double notches = event->angleDelta().y() / 120.0;
    if (pos.x() < FLayout.LabelWidth) { // over the names: scroll the rows
        SetScroll(FScroll - int(notches * FLayout.RowHeight));
    } else if (notches != 0.0) {
        Zoom(pos.x() - FLayout.LabelWidth, std::pow(WheelStep, notches));
    }
    event->accept();
}

void TTimingDiagramView::mousePressEvent(QMouseEvent *event) {
    setFocus(Qt::MouseFocusReason);
    FPressPos = FLastPos = event->position().toPoint();
    FMoved = false;
    const bool band = event->button() == Qt::RightButton ||
                      (event->button() == Qt::LeftButton && event->modifiers() & Qt::ShiftModifier);
    if (band) {
        FDrag = TDrag::Band;
        FBand->setGeometry(QRect(FPressPos, QSize()));
        FBand->show();
    } else if (event->button() == Qt::LeftButton) {
        FDrag = TDrag::Pan;
    }
}

void TTimingDiagramView::mouseMoveEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    if ((pos - FPressPos).manhattanLength() >= ClickSlop)
        FMoved = true;
    if (FDrag == TDrag::Pan && FMoved) {
        FAxis.PanPixels(pos.x() - FLastPos.x());
        SetScroll(FScroll - (pos.y() - FLastPos.y()));
        update();
    } else if (FDrag == TDrag::Band) {
        FBand->setGeometry(QRect(FPressPos, pos).normalized());
    }
    FLastPos = pos;
    if (pos.x() >= FLayout.LabelWidth)
        emit CursorTimeChanged(FAxis.ToTime(pos.x() - FLayout.LabelWidth));
    else
        emit CursorTimeChanged(std::nullopt);
}

void TTimingDiagramView::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint pos = event->position().toPoint();
    if (FDrag == TDrag::Band) {
        FBand->hide();
        const int left = std::max(std::min(FPressPos.x(), pos.x()), FLayout.LabelWidth);
        const int right = std::max(FPressPos.x(), pos.x());
        if (right - left >= ClickSlop) {
            FAxis.Fit(FAxis.ToTime(left - FLayout.LabelWidth),
                      FAxis.ToTime(right - FLayout.LabelWidth), PlotWidth());
            update();
        }
    } else if (FDrag == TDrag::Pan && !FMoved) {
        MarkEdgeAt(pos);
    }
    FDrag = TDrag::None;
}

void TTimingDiagramView::leaveEvent(QEvent *event) {
    QWidget::leaveEvent(event);
    emit CursorTimeChanged(std::nullopt);
}

// Marks the pulse edge (or T0 firing) next to the click in the row clicked; the first
// two marks stay, a third starts over.
void TTimingDiagramView::MarkEdgeAt(QPoint pos) {
    const int r = FLayout.RowAt(pos.y(), int(FScene.Rows.size()), FScroll);
    if (r < 0 || pos.x() < FLayout.LabelWidth)
        return;
    const TDiagramRow &row = FScene.Rows[size_t(r)];
    const double t = FAxis.ToTime(pos.x() - FLayout.LabelWidth);
    std::vector<double> edges;
    if (row.IsT0 && FScene.Period > 0.0)
        edges = {std::round(t / FScene.Period) * FScene.Period};
    else if (row.IsT0)
        edges = {0.0};
    else
        edges = {row.Start, row.End};
    std::optional<double> best;
    for (const double e : edges)
        if (std::fabs(FAxis.ToPixel(e) - FAxis.ToPixel(t)) <= EdgeReach &&
            (!best || std::fabs(e - t) < std::fabs(*best - t)))
            best = e;
    if (!best)
        return;
    if (!FMarks.A || FMarks.B)
        FMarks = {best, std::nullopt};
    else
        FMarks.B = best;
    emit MarksChanged();
    update();
}

void TTimingDiagramView::keyPressEvent(QKeyEvent *event) {
    const double centre = PlotWidth() / 2.0;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        Zoom(centre, WheelStep);
        break;
    case Qt::Key_Minus:
        Zoom(centre, 1.0 / WheelStep);
        break;
    case Qt::Key_Left:
        FAxis.PanPixels(PlotWidth() / 10.0);
        update();
        break;
    case Qt::Key_Right:
        FAxis.PanPixels(-PlotWidth() / 10.0);
        update();
        break;
    case Qt::Key_Up:
        SetScroll(FScroll - FLayout.RowHeight);
        break;
    case Qt::Key_Down:
        SetScroll(FScroll + FLayout.RowHeight);
        break;
    case Qt::Key_PageUp:
        SetScroll(FScroll - height() / 2);
        break;
    case Qt::Key_PageDown:
        SetScroll(FScroll + height() / 2);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
