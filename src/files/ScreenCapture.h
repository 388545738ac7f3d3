#pragma once

#include <QDir>
#include <QImage>
#include <QString>

class QWidget;
class TPrompts;

// "Capture Screen Shot": the pixels of the main window's outer rectangle, frame included,
// saved as a JPEG of quality 90 named "ScreenShot.jpg", replacing any earlier one.
class TScreenCapture {
public:
    explicit TScreenCapture(TPrompts &prompts);

    // Grabs the window and writes the file into folder; a failure shows an error box and
    // leaves any earlier file untouched. True when the file was written.
    bool Capture(QWidget &window, const QString &folder = QDir::currentPath());

    // The window's outer rectangle taken from the screen where the platform shares one;
    // otherwise the window's own rendering placed inside its outer size.
    static QImage GrabOuterRect(QWidget &window);
    // Encodes and writes; empty on success, otherwise a message naming the file.
    static QString Save(const QImage &picture, const QString &path);

private:
    static bool PlatformSharesScreen();
    static QImage GrabFromScreen(QWidget &window);
    static QImage RenderWindow(QWidget &window);

    TPrompts &FPrompts;
};
