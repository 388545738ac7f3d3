// The timing diagram window with fixed settings: zoom, pan, magnify, edge distance,
// export through the file prompt, and what assistive technology reads.
#include "TimingDiagramForm.h"
#include "DiagramFixture.h"
#include "ScriptedPrompts.h"
#include "TimingDiagramView.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

using namespace Diagram;

namespace {

class TimingDiagramFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        snapshot = Snapshot(3);
        snapshot.Channels[1].Delay = 100e-9; // 100 .. 300 ns
        snapshot.Channels[1].Width = 200e-9;
        form = std::make_unique<TTimingDiagramForm>([this] { return snapshot; }, prompts);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        view = form->View;
    }
    // Pixel in the view of time t in the row of channel n.
    QPoint At(double t, int n) const {
        const TRowLayout &l = view->Layout();
        return {l.LabelWidth + int(std::lround(view->Axis().ToPixel(t))),
                l.RowTop(n, view->Scroll()) + l.RowHeight / 2};
    }
    double TimeAt(int x) const { return view->Axis().ToTime(x - view->Layout().LabelWidth); }

    TDiagramSnapshot snapshot;
    TScriptedPrompts prompts;
    std::unique_ptr<TTimingDiagramForm> form;
    TTimingDiagramView *view = nullptr;
};

} // namespace

TEST_F(TimingDiagramFormTest, WheelDragAndBandKeepTheTimesUnderThePointer) {
    const double spp = view->Axis().SecondsPerPixel();
    const QPoint p = At(200e-9, 1);
    QWheelEvent wheel(p, view->mapToGlobal(p), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    EXPECT_NEAR(view->Axis().SecondsPerPixel(), spp * 0.8, spp * 1e-9);
    EXPECT_NEAR(TimeAt(p.x()), 200e-9, view->Axis().SecondsPerPixel());

    const double before = TimeAt(p.x());
    QTest::mousePress(view, Qt::LeftButton, {}, p);
    QTest::mouseMove(view, p + QPoint(40, 0));
    QTest::mouseMove(view, p + QPoint(100, 0));
    QTest::mouseRelease(view, Qt::LeftButton, {}, p + QPoint(100, 0));
    EXPECT_NEAR(TimeAt(p.x() + 100), before, view->Axis().SecondsPerPixel());

    const QPoint a = At(100e-9, 1), b = At(300e-9, 1); // whole pixels: within one of them
    const double pixel = view->Axis().SecondsPerPixel();
    QTest::mousePress(view, Qt::LeftButton, Qt::ShiftModifier, a);
    QTest::mouseMove(view, b);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::ShiftModifier, b);
    EXPECT_NEAR(view->Axis().Start(), 100e-9, pixel);
    EXPECT_NEAR(view->Axis().End(view->PlotWidth()), 300e-9, pixel);
    EXPECT_LT(view->Axis().SecondsPerPixel(), pixel / 2);

    form->FitPeriodBtn->click();
    EXPECT_NEAR(TimeAt(view->Layout().LabelWidth + view->PlotWidth() / 2), 500e-9, 1e-9);

    // Keys go to the drawing once a click gave it the focus: + magnifies about the middle.
    QTest::mouseClick(view, Qt::LeftButton, {}, At(700e-9, 2));
    ASSERT_EQ(QApplication::focusWidget(), view);
    const double middle = TimeAt(view->Layout().LabelWidth + view->PlotWidth() / 2);
    const double wide = view->Axis().SecondsPerPixel();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Plus);
    EXPECT_NEAR(view->Axis().SecondsPerPixel(), wide * 0.8, wide * 1e-9);
    EXPECT_NEAR(TimeAt(view->Layout().LabelWidth + view->PlotWidth() / 2), middle, wide);
    form->FitPeriodBtn->click();

    // A wider window shows the same span.
    const double start = view->Axis().Start(), end = view->Axis().End(view->PlotWidth());
    const int width = view->width();
    form->resize(form->width() + 300, form->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->width() == width + 300; }, 5000));
    EXPECT_NEAR(view->Axis().Start(), start, 1e-15);
    EXPECT_NEAR(view->Axis().End(view->PlotWidth()), end, 1e-15);
}

TEST_F(TimingDiagramFormTest, TwoClickedEdgesShowTheirDifference) {
    EXPECT_EQ(form->Cursorlbl->text(), "Cursor: -");
    QTest::mouseMove(view, At(250e-9, 1));
    const QStringList cursor = form->Cursorlbl->text().split(' '); // "Cursor:", number, unit
    ASSERT_EQ(cursor.size(), 3);
    EXPECT_NEAR(cursor[1].toDouble(), 250, 2);
    EXPECT_EQ(cursor[2], "ns");
    EXPECT_EQ(form->Edgeslbl->text(), "Edges: click two pulse edges to measure between them");
    QTest::mouseClick(view, Qt::LeftButton, {}, At(100e-9, 1) + QPoint(3, 0));
    QTest::mouseClick(view, Qt::LeftButton, {}, At(1e-6, 0) - QPoint(2, 0)); // T0 fires again
    EXPECT_EQ(form->Edgeslbl->text(),
              QString::fromUtf8("Edge A: 100 ns   Edge B: 1 \u00B5s   Difference: 900 ns"));
    QTest::mouseClick(view, Qt::LeftButton, {}, At(300e-9, 1)); // a third starts over
    EXPECT_EQ(form->Edgeslbl->text(), "Edge A: 300 ns");
    QTest::mouseClick(view, Qt::LeftButton, {}, At(600e-9, 1)); // no edge near: nothing
    EXPECT_EQ(form->Edgeslbl->text(), "Edge A: 300 ns");
}

TEST_F(TimingDiagramFormTest, ExportsThroughTheFilePromptAndReportsFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    prompts.QueueFileName(dir.filePath("view.svg"));
    form->ExportSvgBtn->click();
    ASSERT_EQ(prompts.FileDialogs.size(), 1);
    EXPECT_EQ(prompts.FileDialogs[0].caption, "Export Timing Diagram as SVG");
    QFile svg(dir.filePath("view.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));

    form->WholePeriodbox->setChecked(true);
    prompts.QueueFileName(dir.filePath("whole.png"));
    form->ExportPngBtn->click();
    const QImage png(dir.filePath("whole.png"));
    EXPECT_EQ(png.size(), QSize(view->Layout().LabelWidth + view->PlotWidth(),
                                view->Layout().ContentHeight(4)));

    prompts.QueueFileName("/nonexistent-folder/d.png");
    prompts.QueueOK();
    form->ExportPngBtn->click();
    ASSERT_FALSE(prompts.Shown.isEmpty());
    EXPECT_TRUE(
        prompts.Shown.last().text.startsWith("Could not write /nonexistent-folder/d.png: "));
    EXPECT_EQ(prompts.Shown.last().icon, TPrompts::iconError);
}

TEST_F(TimingDiagramFormTest, ReadsAsAChartAndTabsInVisualOrder) {
    QAccessibleInterface *chart = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Name), "Timing Diagram");
    const QStringList lines = chart->text(QAccessible::Description).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1], "Ch 1: pulse from 100 ns to 300 ns, Normal");

    const QList<QWidget *> order{form->FitPeriodBtn, form->FitPulsesBtn, form->WholePeriodbox,
                                 form->ExportPngBtn, form->ExportSvgBtn, view};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget *next = order[i]->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, order[i + 1]) << i;
    }
}
