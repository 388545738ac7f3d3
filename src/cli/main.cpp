// pulsectl: the instrument from scripts and the shell, through the panel's session.
#include "CtlApp.h"
#include "CtlOptions.h"
#include "CtlPrompts.h"
#include "CtlRunner.h"
#include "CtlView.h"
#include "NumberFormat.h"
#include "PanelVersion.h"
#include "Session.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>

namespace {

// Set by SIGINT and SIGTERM: `status --watch` ends at its next step and the port is
// released in order. A signal handler can reach nothing else.
volatile std::sig_atomic_t StopRequested = 0;

void RequestStop(int) {
    StopRequested = 1;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pulsectl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PULSEPANEL_VERSION));
    Instrument::UseCNumbersProcessWide(); // "." in every number, whatever the locale

    const TCtlOptions options = TCtlOptions::Parse(QCoreApplication::arguments().mid(1));
    if (options.Version) {
        std::printf("pulsectl %s\n", PULSEPANEL_VERSION);
        return ExitStatus(TExitCode::Ok);
    }
    if (options.Help) {
        std::fputs(TCtlOptions::HelpText(options.Verb).toLocal8Bit().constData(), stdout);
        return ExitStatus(TExitCode::Ok);
    }
    if (!options.Error.isEmpty()) {
        std::fprintf(stderr, "pulsectl: %s\n%s\n", options.Error.toLocal8Bit().constData(),
                     TCtlOptions::UsageLine(options.Verb).toLocal8Bit().constData());
        return ExitStatus(TExitCode::Usage);
    }

    TCtlPrompts prompts(options.Quiet);
    TCtlApp lifecycle;
    TSessionSetup setup;
    setup.App = &lifecycle;
    TSession session(prompts, setup);
    lifecycle.Attach(session);
    TCtlView view(options.Quiet);
    session.SetView(&view);

    if (options.Watch) {
        std::signal(SIGINT, RequestStop);
        std::signal(SIGTERM, RequestStop);
    }
    TCtlRunner runner(options, prompts, session, view);
    runner.Interrupted = [] { return StopRequested != 0; };
    const TExitCode code = runner.Run();
    session.EnterEnding();
    return ExitStatus(code);
}
