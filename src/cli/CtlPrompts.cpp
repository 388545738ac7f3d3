#include "CtlPrompts.h"

#include "Exchange.h"
#include "PortLock.h"
#include "Session.h"

#include <cstdio>

TAnsweredPrompts::TAnswer TCtlPrompts::Answer(const TQuestion &q) {
    if (q.Kind == akMessage)
        return {MessageButton(q.Text, q.Buttons, q.Icon), false, {}};
    if (q.Kind == akInput)
        return {}; // nothing to type: cancelled
    return {mbOK, true, FileName};
}

TPrompts::TButton TCtlPrompts::MessageButton(const QString &text, TButtons buttons, TIcon icon) {
    if (text == QLatin1String(TExchange::CommunicationsLostMessage) ||
        text == QLatin1String(TSession::PortGoneMessage)) {
        Fail(TExitCode::TimedOut, text.section(QLatin1Char('.'), 0, 0).section(u',', 0, 0));
        return mbNo; // the session ends; nothing restarts
    }
    if (text.startsWith(QLatin1String("Error opening COM"))) {
        Fail(text.contains(QLatin1String(TPortLock::InUse)) ? TExitCode::PortBusy
                                                            : TExitCode::NoInstrument,
             text);
        return mbAbort;
    }
    if (icon == iconError)
        Fail(TExitCode::Failure, text);
    else if (!FQuiet)
        Print(text);
    if (buttons & mbOK)
        return mbOK;
    if (buttons & mbNo)
        return mbNo;
    if (buttons & mbAbort)
        return mbAbort;
    return mbCancel;
}

void TCtlPrompts::Fail(TExitCode code, const QString &text) {
    // The first failure names the outcome: what follows is usually its consequence.
    if (FFailure == TExitCode::Ok)
        FFailure = code;
    Print(text);
}

void TCtlPrompts::Print(const QString &text) const {
    std::fprintf(stderr, "pulsectl: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}
