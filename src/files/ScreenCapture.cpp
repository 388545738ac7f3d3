#include "ScreenCapture.h"

#include "JpegEncoder.h"
#include "Prompts.h"
#include "SettingsFileTexts.h"
#include "WholeFileWriter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

TScreenCapture::TScreenCapture(TPrompts &prompts) : FPrompts(prompts) {}

bool TScreenCapture::Capture(QWidget &window, const QString &folder) {
    const QString path =
        QDir(folder).filePath(QString::fromLatin1(SettingsFileTexts::ScreenShotFileName));
    const QString error = Save(GrabOuterRect(window), path);
    if (error.isEmpty())
        return true;
    FPrompts.Message(error, TPrompts::mbOK, TPrompts::iconError);
    return false;
}

QImage TScreenCapture::GrabOuterRect(QWidget &window) {
    QImage picture;
    if (PlatformSharesScreen())
        picture = GrabFromScreen(window);
    if (picture.isNull())
        picture = RenderWindow(window);
    return picture;
}

QString TScreenCapture::Save(const QImage &picture, const QString &path) {
    QString reason;
    const QByteArray jpeg = TJpegEncoder::Encode(picture, TJpegEncoder::DefaultQuality, &reason);
    if (jpeg.isEmpty())
        return TWholeFileWriter::FailureMessage(path, reason);
    return TWholeFileWriter::Write(path, jpeg);
}

bool TScreenCapture::PlatformSharesScreen() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows");
}

QImage TScreenCapture::GrabFromScreen(QWidget &window) {
    QScreen *screen = window.screen();
    if (!screen)
        return QImage();
    // Whatever lies on top of the window is part of the picture, as on the screen. Parts
    // beyond the screen stay black; the copy is drawn at the window's logical size, so a
    // high-density screen gives the size the window reports.
    const QRect outer = window.frameGeometry();
    const QRect visible = outer & screen->geometry();
    if (visible.isEmpty())
        return QImage();
    const QPoint origin = visible.topLeft() - screen->geometry().topLeft();
    const QPixmap shot =
        screen->grabWindow(0, origin.x(), origin.y(), visible.width(), visible.height());
    if (shot.isNull())
        return QImage();
    QImage picture(outer.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.drawPixmap(QRect(visible.topLeft() - outer.topLeft(), visible.size()), shot);
    return picture;
}

QImage TScreenCapture::RenderWindow(QWidget &window) {
    const QRect outer = window.frameGeometry();
    if (outer.isEmpty())
        return QImage();
    QImage picture(outer.size(), QImage::Format_RGB32);
    // The frame is drawn by the platform, not the window: show it in the window colour.
    picture.fill(window.palette().color(QPalette::Window));
    const QPixmap inner = window.grab();
    QPainter painter(&picture);
    painter.drawPixmap(window.geometry().topLeft() - outer.topLeft(), inner);
    return picture;
}
