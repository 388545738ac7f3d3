// Times to pixels, grid steps, labels and row layout.
#include "DiagramFixture.h"
#include "EngineeringUnits.h"
#include "GridStep.h"
#include "RowLayout.h"
#include "TimeAxis.h"

using namespace Diagram;

TEST(EngineeringUnits, LabelsInTheUnitThatFits) {
    const struct {
        double Seconds, Resolution;
        const char *Text;
    } cases[] = {
        {125e-9, 0, "125 ns"},
        {1.5e-3, 0, "1.5 ms"},
        {0.0, 0, "0 s"},
        {2.0, 0, "2 s"},
        {5000.0, 0, "5000 s"},
        {1e-6, 0, "1 \u00B5s"},
        {-2.5e-10, 0, "-250 ps"},
        {999.9996e-9, 0, "1 \u00B5s"},        // rounding carries into the next unit
        {1.0001e-6, 1e-12, "1.0001 \u00B5s"}, // the resolution keeps every digit
        {1.2e-6, 2e-7, "1.2 \u00B5s"},
        {3.0e-7, 1e-7, "300 ns"},
        {1.23456e-3, 0, "1.235 ms"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatTime(c.Seconds, c.Resolution), QString::fromUtf8(c.Text)) << c.Seconds;
}

TEST(GridStep, OneTwoFiveAtLeastTheMinimumApart) {
    const struct {
        double SecondsPerPixel, Step;
    } cases[] = {{1e-9, 1e-7}, {2.5e-9, 2e-7}, {5e-9, 5e-7},  {1.25e-8, 1e-6},
                 {1e-6, 1e-4}, {6.3e-4, 0.1},  {1e-12, 1e-10}};
    for (const auto &c : cases)
        EXPECT_NEAR(GridStep(c.SecondsPerPixel) / c.Step, 1.0, 1e-12) << c.SecondsPerPixel;
}

TEST(TimeAxis, PixelsAtAZoomAndAroundThePointer) {
    TTimeAxis axis(100e-9, 1e-9); // 100 ns at the left edge, 1 ns a pixel
    EXPECT_DOUBLE_EQ(axis.ToPixel(100e-9), 0.0);
    EXPECT_NEAR(axis.ToPixel(350e-9), 250.0, 1e-9);
    EXPECT_NEAR(axis.ToTime(500), 600e-9, 1e-18);

    axis.ZoomAround(250, 0.5); // the time under pixel 250 stays there
    EXPECT_NEAR(axis.ToPixel(350e-9), 250.0, 1e-9);
    EXPECT_NEAR(axis.ToPixel(450e-9), 450.0, 1e-9);

    axis.PanPixels(50); // dragged right: earlier times come in
    EXPECT_NEAR(axis.ToPixel(350e-9), 300.0, 1e-9);

    axis.Fit(0, 1e-3, 1000, 0.1); // 1 ms with 10 % free on each side
    EXPECT_NEAR(axis.ToPixel(0), 1000.0 / 1.2 * 0.1, 1e-9);
    EXPECT_NEAR(axis.ToPixel(1e-3), 1000.0 / 1.2 * 1.1, 1e-9);

    axis.ZoomAround(0, 1e-9); // clamped, never zero
    EXPECT_DOUBLE_EQ(axis.SecondsPerPixel(), TTimeAxis::MinSecondsPerPixel);
    axis.Fit(5e-6, 5e-6, 100); // an empty span still gives a usable scale
    EXPECT_GT(axis.SecondsPerPixel(), 0.0);
    EXPECT_NEAR(axis.ToPixel(5e-6), 0.0, 1e-9);
}

TEST(RowLayout, RowsBelowTheScaleAndScrolled) {
    const TRowLayout l;  // scale 26 high, rows 34 high
    const int rows = 37; // T0 and 36 channels
    EXPECT_EQ(l.RowTop(0), 26);
    EXPECT_EQ(l.RowTop(36), 26 + 36 * 34);
    EXPECT_EQ(l.RowTop(2, 68), 26);
    const struct {
        int Y, Scroll, Row;
    } cases[] = {{10, 0, -1},   {26, 0, 0},    {59, 0, 0},    {60, 0, 1},     {26, 68, 2},
                 {1249, 0, 35}, {1250, 0, 36}, {1284, 0, -1}, {1216, 34, 36}, {10, 68, -1}};
    for (const auto &c : cases)
        EXPECT_EQ(l.RowAt(c.Y, rows, c.Scroll), c.Row) << c.Y << " scrolled " << c.Scroll;
    EXPECT_EQ(l.ContentHeight(rows), 26 + 37 * 34);
    EXPECT_EQ(l.MaxScroll(rows, 600), 26 + 37 * 34 - 600);
    EXPECT_EQ(l.MaxScroll(7, 600), 0);
}

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
