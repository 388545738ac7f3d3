#include "TimingDiagramForm.h"

#include "EngineeringUnits.h"
#include "Prompts.h"
#include "TimingDiagramView.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

using namespace Diagram;

namespace {

const char *const NoTime = "-";

QPushButton *Button(QWidget *parent, const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    return b;
}

QLabel *Readout(QWidget *parent, const char *name, const QString &caption) {
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setAccessibleName(caption);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setMinimumWidth(220);
    return l;
}

} // namespace

TTimingDiagramForm::TTimingDiagramForm(TSnapshotSource source, TPrompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), FSource(std::move(source)), FPrompts(prompts) {
    setObjectName("TimingDiagramForm");
    setWindowTitle("Timing Diagram");
    setAccessibleName("Timing Diagram");

    FitPeriodBtn = Button(this, "FitPeriodBtn", "Fit Period");
    FitPulsesBtn = Button(this, "FitPulsesBtn", "Fit Pulses");
    WholePeriodbox = new QCheckBox("Export Whole Period", this);
    WholePeriodbox->setObjectName("WholePeriodbox");
    WholePeriodbox->setAccessibleName(WholePeriodbox->text());
    ExportPngBtn = Button(this, "ExportPngBtn", "Export PNG");
    ExportSvgBtn = Button(this, "ExportSvgBtn", "Export SVG");
    Cursorlbl = Readout(this, "Cursorlbl", "Cursor");
    Edgeslbl = Readout(this, "Edgeslbl", "Edges");
    View = new TTimingDiagramView(this);
    RowScroll = new QScrollBar(Qt::Vertical, this);
    RowScroll->setObjectName("RowScroll");
    RowScroll->setAccessibleName("Rows");
    auto *warningsCaption = new QLabel("Warnings", this);
    Warnings = new QListWidget(this);
    Warnings->setObjectName("Warnings");
    Warnings->setAccessibleName("Warnings");
    warningsCaption->setBuddy(Warnings);
    Warnings->setMaximumHeight(80);

    auto *tools = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{FitPeriodBtn, FitPulsesBtn, WholePeriodbox,
                                                       ExportPngBtn, ExportSvgBtn})
        tools->addWidget(w);
    tools->addStretch();
    auto *readouts = new QHBoxLayout;
    readouts->addWidget(Cursorlbl);
    readouts->addWidget(Edgeslbl, 1);
    auto *plot = new QHBoxLayout;
    plot->setSpacing(0);
    plot->addWidget(View, 1);
    plot->addWidget(RowScroll);
    auto *main = new QVBoxLayout(this);
    main->addLayout(tools);
    main->addLayout(readouts);
    main->addLayout(plot, 1);
    main->addWidget(warningsCaption);
    main->addWidget(Warnings);
    // Visual order: the tool row left to right, the drawing, its scroll bar, the warnings.
    QWidget::setTabOrder(FitPeriodBtn, FitPulsesBtn);
    QWidget::setTabOrder(FitPulsesBtn, WholePeriodbox);
    QWidget::setTabOrder(WholePeriodbox, ExportPngBtn);
    QWidget::setTabOrder(ExportPngBtn, ExportSvgBtn);
    QWidget::setTabOrder(ExportSvgBtn, View);
    QWidget::setTabOrder(View, RowScroll);
    QWidget::setTabOrder(RowScroll, Warnings);

    connect(FitPeriodBtn, &QPushButton::clicked, View, &TTimingDiagramView::FitPeriod);
    connect(FitPulsesBtn, &QPushButton::clicked, View, &TTimingDiagramView::FitPulses);
    connect(ExportPngBtn, &QPushButton::clicked, this, [this] { Export(TExportFormat::Png); });
    connect(ExportSvgBtn, &QPushButton::clicked, this, [this] { Export(TExportFormat::Svg); });
    connect(View, &TTimingDiagramView::CursorTimeChanged, this, &TTimingDiagramForm::ShowCursor);
    connect(View, &TTimingDiagramView::MarksChanged, this, &TTimingDiagramForm::ShowMarks);
    connect(View, &TTimingDiagramView::ScrollChanged, this, [this](int scroll, int maxScroll) {
        const QSignalBlocker block(RowScroll);
        RowScroll->setRange(0, maxScroll);
        RowScroll->setPageStep(View->height());
        RowScroll->setSingleStep(View->Layout().RowHeight);
        RowScroll->setValue(scroll);
    });
    connect(RowScroll, &QScrollBar::valueChanged, View, &TTimingDiagramView::SetScroll);

    FFrameTimer.setInterval(FrameMs);
    connect(&FFrameTimer, &QTimer::timeout, this, &TTimingDiagramForm::Follow);
    ShowCursor(std::nullopt);
    ShowMarks();
    resize(1100, 800);
}

void TTimingDiagramForm::Follow() {
    const TDiagramSnapshot now = FSource();
    if (FLast && *FLast == now)
        return;
    // The first period known sets the view; later the view stays where the user put it.
    const bool fit = !FLast || (FLast->Period <= 0.0 && now.Period > 0.0);
    FLast = now;
    View->SetScene(BuildScene(now));
    if (fit)
        View->FitPeriod();
    ShowFlags();
}

void TTimingDiagramForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    Follow();
    if (!FFrameTimer.isActive())
        FFrameTimer.start();
}

void TTimingDiagramForm::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    FFrameTimer.stop();
}

void TTimingDiagramForm::ShowCursor(std::optional<double> t) {
    Cursorlbl->setText("Cursor: " + (t ? FormatTime(*t, View->Axis().SecondsPerPixel())
                                       : QString::fromLatin1(NoTime)));
}

void TTimingDiagramForm::ShowMarks() {
    const TEdgeMarks &m = View->Marks();
    if (!m.A) {
        Edgeslbl->setText("Edges: click two pulse edges to measure between them");
        return;
    }
    QString text = "Edge A: " + FormatTime(*m.A, 1e-12);
    if (m.B)
        text += "   Edge B: " + FormatTime(*m.B, 1e-12) +
                "   Difference: " + FormatTime(std::fabs(*m.B - *m.A), 1e-12);
    Edgeslbl->setText(text);
}

void TTimingDiagramForm::ShowFlags() {
    const QStringList flags = View->Scene().AllFlags();
    Warnings->clear();
    if (flags.isEmpty())
        Warnings->addItem("None");
    else
        Warnings->addItems(flags);
}

void TTimingDiagramForm::Export(TExportFormat format) {
    const bool png = format == TExportFormat::Png;
    const QString path = FPrompts.SaveFileName(
        png ? "Export Timing Diagram as PNG" : "Export Timing Diagram as SVG", QDir::currentPath(),
        png ? "PNG image (*.png)|*.png" : "SVG drawing (*.svg)|*.svg", png ? "png" : "svg");
    if (path.isEmpty())
        return;
    const int plotWidth = View->PlotWidth();
    const TTimeAxis axis =
        WholePeriodbox->isChecked() ? WholePeriodAxis(View->Scene(), plotWidth) : View->Axis();
    const QString error = ExportDiagram(path, format, View->Scene(), axis, plotWidth);
    if (!error.isEmpty())
        FPrompts.Message(error, TPrompts::mbOK, TPrompts::iconError);
}
