// Run with any platform plugin; under X11 (e.g. xvfb-run) the capture comes from the screen.
#include "ScreenCapture.h"
#include "SettingsFileReader.h"
#include "SettingsFileWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVBoxLayout>

namespace {

template <typename F> double AverageMs(int runs, F &&f) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < runs; ++i)
        f();
    return static_cast<double>(t.nsecsElapsed()) / 1e6 / runs;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;

    QStringList lines;
    for (int i = 0; i < 5; ++i)
        lines << QStringLiteral("// comment line %1").arg(i);
    for (int n = 0; n < 47; ++n)
        lines << QStringLiteral("*CFG %1 1 0.00000000000 0.00000100000 0 1 0 1 2.50 0").arg(n);
    const QString path = dir.filePath("s.txt");
    out << "write 52-line settings file: "
        << AverageMs(200, [&] { TSettingsFileWriter::Write(path, lines); }) << " ms\n";
    out << "read 52-line settings file:  "
        << AverageMs(200, [&] { TSettingsFileReader::Read(path); }) << " ms\n";

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    for (int i = 0; i < 20; ++i)
        layout->addWidget(new QLabel(QStringLiteral("Channel %1 delay 0.00000000000").arg(i)));
    window.resize(1024, 768);
    window.show();
    for (int i = 0; i < 20; ++i)
        app.processEvents();

    const QImage picture = TScreenCapture::GrabOuterRect(window);
    out << "platform " << QGuiApplication::platformName() << ": window " << window.width() << "x"
        << window.height() << ", outer " << window.frameGeometry().width() << "x"
        << window.frameGeometry().height() << ", picture " << picture.width() << "x"
        << picture.height() << "\n";
    out << "grab outer rectangle:        "
        << AverageMs(10, [&] { TScreenCapture::GrabOuterRect(window); }) << " ms\n";
    out << "encode and write JPEG:       " << AverageMs(10, [&] {
        TScreenCapture::Save(picture, dir.filePath("ScreenShot.jpg"));
    }) << " ms\n";
    return 0;
}
