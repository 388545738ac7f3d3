#pragma once

#include "Guarded.h"

#include <QString>
#include <exception>
#include <functional>

class TExchange;
class TMessageForm;
class TPortRule;
class TPrompts;
class TSession;
struct TAppState;

// What the service window's behaviour takes from the main window: the session (for the
// calibration read-back), the program's state, the exchange, the rule for the port, the
// message window, the prompts, the command queue and the window title. Nothing else of
// the main window is reachable from here.
struct TServiceLinks {
    TSession &Session;
    TAppState &State;
    TExchange &Exchange;
    TPortRule &Rule;
    TMessageForm &MessageForm;
    TPrompts &Prompts;
    // QueuedCommandToPort: false when the command was discarded.
    std::function<bool(const QString &command)> QueueCommand;
    std::function<QString()> MainWindowTitle;
    // The application's general error report.
    std::function<void(const std::exception &e)> ReportException;

    // Runs a handler's body; an exception is reported and never leaves the handler.
    template <class F> void Guarded(F &&body) const noexcept { RunGuarded(ReportException, body); }
};
