// The drawing: pulse edges at the expected pixels, the PNG and SVG files.
#include "DiagramExport.h"
#include "DiagramFixture.h"
#include "DiagramPainter.h"
#include "DiagramScene.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace Diagram;

namespace {

// Period 1 us drawn at 1 ns a pixel from t = 0: time t sits at LabelWidth + t / 1 ns.
class DiagramRender : public ::testing::Test {
protected:
    void SetUp() override {
        s = Snapshot(3);
        Ch(s, 1).Delay = 100e-9; // 100 .. 300 ns
        Ch(s, 1).Width = 200e-9;
        Ch(s, 2).Delay = 400e-9; // inverted, 400 .. 450 ns
        Ch(s, 2).Width = 50e-9;
        Ch(s, 2).Polarity = 1;
        Ch(s, 3).Delay = 900e-9; // runs 150 ns past the period
        Ch(s, 3).Width = 250e-9;
        scene = BuildScene(s);
    }
    int X(double t) const { return layout.LabelWidth + int(t / 1e-9); }
    int Mid(int row) const { return layout.RowTop(row) + layout.RowHeight / 2; }
    QImage Render() const {
        QImage image(layout.LabelWidth + PlotWidth, layout.ContentHeight(4), QImage::Format_RGB32);
        QPainter p(&image);
        TDiagramPainter(scene, axis, layout).Paint(p, image.size());
        return image;
    }

    static constexpr int PlotWidth = 1300;
    TDiagramSnapshot s;
    TDiagramScene scene;
    TTimeAxis axis{0.0, 1e-9};
    TRowLayout layout;
};

QColor At(const QImage &image, int x, int y) {
    return image.pixelColor(x, y);
}

} // namespace

TEST_F(DiagramRender, PulseEdgesAtTheExpectedPixels) {
    const QImage image = Render();
    const struct {
        int Row;
        double Start, End;
    } pulses[] = {{1, 100e-9, 300e-9}, {2, 400e-9, 450e-9}, {3, 900e-9, 1000e-9}};
    for (const auto &p : pulses) {
        SCOPED_TRACE(p.Row);
        const int y = Mid(p.Row);
        // Inside the edges the pulse is filled, two pixels outside it is not.
        EXPECT_EQ(At(image, X(p.Start) + 2, y), TDiagramPainter::PulseFill);
        EXPECT_EQ(At(image, X(p.End) - 3, y), TDiagramPainter::PulseFill);
        EXPECT_NE(At(image, X(p.Start) - 3, y), TDiagramPainter::PulseFill);
        EXPECT_NE(At(image, X(p.End) + 2, y), TDiagramPainter::PulseFill);
    }
    // Past the period the rest of channel 3's pulse shows as overflow, up to its end.
    EXPECT_EQ(At(image, X(1100e-9), Mid(3)), TDiagramPainter::OverflowFill);
    EXPECT_EQ(At(image, X(1150e-9) - 3, Mid(3)), TDiagramPainter::OverflowFill);
    EXPECT_NE(At(image, X(1150e-9) + 3, Mid(3)), TDiagramPainter::OverflowFill);
    // Normal polarity rests low, inverted rests high.
    const int inset = 7, away = X(700e-9);
    EXPECT_LT(At(image, away, layout.RowTop(1) + layout.RowHeight - inset).lightness(), 160);
    EXPECT_GT(At(image, away, layout.RowTop(1) + inset).lightness(), 200);
    EXPECT_LT(At(image, away, layout.RowTop(2) + inset).lightness(), 160);
    EXPECT_GT(At(image, away, layout.RowTop(2) + layout.RowHeight - inset).lightness(), 200);
}

TEST_F(DiagramRender, DisabledChannelsAreGrey) {
    Ch(s, 1).Enabled = false;
    scene = BuildScene(s);
    const QImage image = Render();
    EXPECT_EQ(At(image, X(200e-9), Mid(1)), TDiagramPainter::DisabledFill);
    EXPECT_EQ(At(image, X(420e-9), Mid(2)), TDiagramPainter::PulseFill);
}

TEST_F(DiagramRender, ExportsPngAndSvgOfTheWholePeriod) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TTimeAxis whole = WholePeriodAxis(scene, PlotWidth);
    const QString png = dir.filePath("d.png"), svg = dir.filePath("d.svg");
    ASSERT_EQ(ExportDiagram(png, TExportFormat::Png, scene, whole, PlotWidth), QString());
    ASSERT_EQ(ExportDiagram(svg, TExportFormat::Svg, scene, whole, PlotWidth), QString());

    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(layout.LabelWidth + PlotWidth, layout.ContentHeight(4)));
    const TDiagramPainter painter(scene, whole, layout);
    EXPECT_EQ(At(image, painter.X(200e-9), Mid(1)), TDiagramPainter::PulseFill);

    // The SVG holds the pulses as filled rectangles at the same places, and the row names.
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList fills{QString()}; // fill of each open group
    QList<QRectF> pulses;
    QStringList texts;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"g")
            fills << (xml.attributes().hasAttribute("fill")
                          ? xml.attributes().value("fill").toString()
                          : fills.last());
        else if (xml.isEndElement() && xml.name() == u"g")
            fills.removeLast();
        else if (xml.isStartElement() && xml.name() == u"rect" &&
                 fills.last() == TDiagramPainter::PulseFill.name()) {
            const auto a = xml.attributes();
            pulses << QRectF(a.value("x").toDouble(), a.value("y").toDouble(),
                             a.value("width").toDouble(), a.value("height").toDouble());
        } else if (xml.isStartElement() && xml.name() == u"text")
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    ASSERT_EQ(pulses.size(), 3);
    const struct {
        int Row;
        double Start, End;
    } expected[] = {{1, 100e-9, 300e-9}, {2, 400e-9, 450e-9}, {3, 900e-9, 1000e-9}};
    for (int i = 0; i < 3; ++i) {
        const auto &e = expected[i];
        EXPECT_EQ(pulses[i].x(), painter.X(e.Start)) << i;
        EXPECT_EQ(pulses[i].right(), painter.X(e.End)) << i;
        EXPECT_EQ(pulses[i].top(), layout.RowTop(e.Row) + 7) << i;
    }
    for (const char *name : {"T0", "Ch 1", "Ch 2", "Ch 3", "0 s", "1 \u00B5s"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(name))) << name;
}
