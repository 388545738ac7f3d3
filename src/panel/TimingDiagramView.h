#pragma once

#include "DiagramPainter.h"
#include "DiagramScene.h"
#include "RowLayout.h"
#include "TimeAxis.h"

#include <QPoint>
#include <QWidget>
#include <optional>

class QRubberBand;

// The drawing area of the timing diagram: the wheel zooms around the pointer, dragging
// pans, a Shift-drag (or a right-drag) magnifies the region drawn, a click next to an edge
// marks it. Keys: + and - zoom, Left and Right pan, Up, Down, Page Up, Page Down scroll.
class TTimingDiagramView : public QWidget {
    Q_OBJECT
public:
    explicit TTimingDiagramView(QWidget *parent = nullptr);

    void SetScene(const Diagram::TDiagramScene &scene);
    const Diagram::TDiagramScene &Scene() const { return FScene; }
    const Diagram::TTimeAxis &Axis() const { return FAxis; }
    const Diagram::TRowLayout &Layout() const { return FLayout; }
    const Diagram::TEdgeMarks &Marks() const { return FMarks; }
    int PlotWidth() const;

    void FitPeriod();
    void FitPulses();
    int Scroll() const { return FScroll; }
    int MaxScroll() const;
    void SetScroll(int scroll);

signals:
    // The time under the pointer; nothing when it left the plot.
    void CursorTimeChanged(std::optional<double> t);
    void MarksChanged();
    void ScrollChanged(int scroll, int maxScroll);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Zoom(double px, double factor);
    void MarkEdgeAt(QPoint pos);
    void ScrollChangedNow();

    Diagram::TDiagramScene FScene;
    Diagram::TTimeAxis FAxis;
    Diagram::TRowLayout FLayout;
    Diagram::TEdgeMarks FMarks;
    int FScroll = 0;

    enum class TDrag { None, Pan, Band };
    TDrag FDrag = TDrag::None;
    QPoint FPressPos;
    QPoint FLastPos;
    bool FMoved = false;
    QRubberBand *FBand = nullptr;
};
