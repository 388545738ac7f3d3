#include "ScreenCapture.h"
#include "JpegEncoder.h"
#include "JpegProbe.h"
#include "ScriptedPrompts.h"
#include "TestFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <vector>

namespace {

std::array<int, 3> PixelAt(const TDecoded &d, int x, int y) {
    const unsigned char *p = d.Rgb.data() + (static_cast<size_t>(y) * d.Width + x) * 3;
    return {p[0], p[1], p[2]};
}

void ExpectNear(const std::array<int, 3> &got, const std::array<int, 3> &want) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(got[i], want[i], 12) << "component " << i;
}

// A window painted in two plain colours: left half red, right half blue.
class TTwoColourWindow : public QWidget {
public:
    TTwoColourWindow() {
        resize(160, 96);
        auto *left = new QWidget(this);
        left->setGeometry(0, 0, 80, 96);
        left->setAutoFillBackground(true);
        left->setPalette(QPalette(Qt::red));
        auto *right = new QWidget(this);
        right->setGeometry(80, 0, 80, 96);
        right->setAutoFillBackground(true);
        right->setPalette(QPalette(Qt::blue));
    }
};

bool HasMarker(const QByteArray &bytes, unsigned char code) {
    return bytes.contains(QByteArray("\xFF") + char(code));
}

// The two-colour window shown, and a capture with scripted prompts.
class ScreenCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    TTestFolder folder;
    TTwoColourWindow window;
    TScriptedPrompts prompts;
    TScreenCapture capture{prompts};
};

TEST_F(ScreenCaptureTest, WritesBaselineQuality90JpegOfTheOuterSize) {
    ASSERT_TRUE(capture.Capture(window, folder.Path()));
    EXPECT_TRUE(prompts.Shown.isEmpty()); // no message on success
    EXPECT_EQ(folder.Entries(), QStringList{"ScreenShot.jpg"});

    const QByteArray bytes = TTestFolder::Read(folder.File("ScreenShot.jpg"));
    const TDecoded d = Decode(bytes);
    EXPECT_EQ(QSize(d.Width, d.Height), window.frameGeometry().size());
    EXPECT_FALSE(d.Progressive);
    EXPECT_FALSE(d.ArithmeticCoding);
    EXPECT_TRUE(HasMarker(bytes, 0xC0));  // baseline frame header
    EXPECT_FALSE(HasMarker(bytes, 0xC2)); // no progressive one
    EXPECT_TRUE(d.Jfif);
    EXPECT_EQ(d.Components, 3);
    EXPECT_EQ(d.ColourSpace, JCS_YCbCr);
    EXPECT_EQ(d.Quant, Quality90Tables());

    const QPoint inner = window.geometry().topLeft() - window.frameGeometry().topLeft();
    ExpectNear(PixelAt(d, inner.x() + 20, inner.y() + 40), {255, 0, 0});
    ExpectNear(PixelAt(d, inner.x() + 140, inner.y() + 40), {0, 0, 255});
}

TEST_F(ScreenCaptureTest, SecondCaptureReplacesTheFirst) {
    ASSERT_TRUE(capture.Capture(window, folder.Path()));
    const TDecoded first = Decode(TTestFolder::Read(folder.File("ScreenShot.jpg")));
    window.resize(120, 70);
    QApplication::processEvents();
    ASSERT_TRUE(capture.Capture(window, folder.Path()));
    const TDecoded second = Decode(TTestFolder::Read(folder.File("ScreenShot.jpg")));
    EXPECT_EQ(QSize(first.Width, first.Height) - QSize(160, 96),
              QSize(second.Width, second.Height) - QSize(120, 70)); // the same frame
    EXPECT_EQ(QSize(second.Width, second.Height), window.frameGeometry().size());
    EXPECT_EQ(folder.Entries(), QStringList{"ScreenShot.jpg"});
    EXPECT_TRUE(prompts.Shown.isEmpty());
}

TEST_F(ScreenCaptureTest, FailedWriteKeepsTheEarlierFileAndShowsAnError) {
    const QString dir = folder.File("ro");
    const QString earlier = folder.Write("ro/ScreenShot.jpg", "earlier picture");
    prompts.QueueOK();
    {
        TReadOnlyFolder readOnly(dir);
        ASSERT_TRUE(readOnly.Active());
        EXPECT_FALSE(capture.Capture(window, dir));
    }
    EXPECT_EQ(TTestFolder::Read(earlier), QByteArray("earlier picture"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"ScreenShot.jpg"});
    ASSERT_EQ(prompts.Shown.size(), 1);
    EXPECT_EQ(prompts.Shown[0].icon, TPrompts::iconError);
    EXPECT_EQ(prompts.Shown[0].text, "Cannot write file \"" + QDir::toNativeSeparators(earlier) +
                                         "\": Permission denied. The folder \"" +
                                         QDir::toNativeSeparators(dir) + "\" is read-only.");
}

TEST(JpegEncoder, EmptyPictureIsRefusedWithAReason) {
    QString error;
    EXPECT_TRUE(TJpegEncoder::Encode(QImage(), 90, &error).isEmpty());
    EXPECT_EQ(error, "the picture is empty");

    TTestFolder folder;
    const QString path = folder.File("ScreenShot.jpg");
    EXPECT_EQ(TScreenCapture::Save(QImage(), path), "Cannot write file \"" +
                                                        QDir::toNativeSeparators(path) +
                                                        "\": the picture is empty.");
    EXPECT_TRUE(folder.Entries().isEmpty());
}

TEST(JpegEncoder, KeepsColoursOfAnyInputFormat) {
    QImage picture(33, 17, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(10, 200, 90));
    const TDecoded d = Decode(TJpegEncoder::Encode(picture));
    EXPECT_EQ(d.Width, 33);
    EXPECT_EQ(d.Height, 17);
    ExpectNear(PixelAt(d, 16, 8), {10, 200, 90});
}

} // namespace
