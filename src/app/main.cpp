#include "CommandLine.h"
#include "GeometryReport.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "PanelVersion.h"
#include "QtPrompts.h"

#include <QApplication>
#include <cstdio>

namespace {

QStringList ArgumentList(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Answers --help, --version or a refused argument; the exit status.
int Answer(const TCommandLine &commandLine) {
    switch (commandLine.Request()) {
    case TCommandLine::TRequest::Help:
        std::fputs(qPrintable(commandLine.HelpText()), stdout);
        return 0;
    case TCommandLine::TRequest::Version:
        std::fputs(qPrintable(TCommandLine::VersionText() + u'\n'), stdout);
        return 0;
    default:
        std::fputs(qPrintable(QCoreApplication::applicationName() + QStringLiteral(": ") +
                              commandLine.ErrorText() + u'\n' + commandLine.HelpText()),
                   stderr);
        return 2;
    }
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication::setApplicationName("pulsepanel");
    QApplication::setApplicationVersion(PULSEPANEL_VERSION);
    QApplication::setDesktopFileName(PULSEPANEL_APP_ID);
    {
        // Help and version need no display: answered before the GUI connects to one.
        const TCommandLine early(ArgumentList(argc, argv));
        if (early.Request() == TCommandLine::TRequest::Help ||
            early.Request() == TCommandLine::TRequest::Version) {
            const QCoreApplication console(argc, argv);
            return Answer(early);
        }
    }
    QApplication app(argc, argv);
    // QApplication has taken Qt's own options (-platform, -style, ...) out by now.
    const TCommandLine commandLine(QApplication::arguments());
    if (commandLine.Request() != TCommandLine::TRequest::Run)
        return Answer(commandLine);
    // Numbers on the wire and in files always use '.', whatever the user's locale.
    Instrument::UseCNumbersProcessWide();
    // For tools and tests that drive the program through the X server.
    TGeometryReport::InstallFromEnvironment();

    TMainFormSetup setup;
    setup.Arguments = QApplication::arguments().mid(1);
    TQtPrompts prompts;
    TMainForm mainForm(prompts, setup);
    prompts.setParent(&mainForm);
    QApplication::setWindowIcon(mainForm.windowIcon());

    mainForm.FormCreate();
    // An exit or restart decided while the window was being created: quit() cannot work
    // before the message loop runs, so the loop is never entered.
    if (mainForm.Session().State.Ending)
        return 0;
    mainForm.show();
    return app.exec();
}
