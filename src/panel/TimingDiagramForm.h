#pragma once

#include "DiagramExport.h"
#include "DiagramSnapshot.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class TPrompts;
class TTimingDiagramView;

// The "Timing Diagram" window: one period of T0 and every channel's pulse, live.
// Modeless; closing hides it. While it is visible it takes a snapshot of the settings
// every frame and redraws only when the snapshot differs from the last one, so it
// follows every path that changes the settings without being told.
class TTimingDiagramForm : public QWidget {
    Q_OBJECT
public:
    using TSnapshotSource = std::function<Diagram::TDiagramSnapshot()>;

    TTimingDiagramForm(TSnapshotSource source, TPrompts &prompts, QWidget *parent = nullptr);

    // Takes a snapshot now and redraws when it changed; the frame timer calls it.
    void Follow();

    static constexpr int FrameMs = 16;

    TTimingDiagramView *View = nullptr;
    QPushButton *FitPeriodBtn = nullptr;
    QPushButton *FitPulsesBtn = nullptr;
    QCheckBox *WholePeriodbox = nullptr;
    QPushButton *ExportPngBtn = nullptr;
    QPushButton *ExportSvgBtn = nullptr;
    QLabel *Cursorlbl = nullptr;
    QLabel *Edgeslbl = nullptr;
    QScrollBar *RowScroll = nullptr;
    QListWidget *Warnings = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Export(Diagram::TExportFormat format);
    void ShowCursor(std::optional<double> t);
    void ShowMarks();
    void ShowFlags();

    TSnapshotSource FSource;
    TPrompts &FPrompts;
    QTimer FFrameTimer;
    std::optional<Diagram::TDiagramSnapshot> FLast;
};
