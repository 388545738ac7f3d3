#pragma once

#include "ExitCode.h"

#include <QString>
#include <functional>

struct TCtlOptions;
class TCtlPrompts;
class TCtlView;
class TSession;

// Carries out one pulsectl verb on a session: connects as the panel does (or on the named
// port), then reads back, queues, replays or polls through the session's own sequences.
class TCtlRunner {
public:
    TCtlRunner(const TCtlOptions &options, TCtlPrompts &prompts, TSession &session, TCtlView &view);

    TExitCode Run();
    // Asked between the polls of `status --watch`; true ends the watch.
    std::function<bool()> Interrupted;

private:
    TExitCode List();
    TExitCode Find();
    TExitCode Identify();
    TExitCode Get();
    TExitCode Set();
    TExitCode Send();
    TExitCode RunStop(); // run or stop, as the verb says
    TExitCode Status();
    TExitCode SaveFile();
    TExitCode RestoreFile();
    // The settings file's save or restore; lineSent after each replayed line.
    TExitCode FileSequence(bool restore, const std::function<void()> &lineSent);
    TExitCode Bin();

    bool Connect();
    bool ConnectNamedPort();
    void ReportHeldPorts();
    bool ReadBack();
    bool Drain();
    void PrintStatus();
    TExitCode Outcome() const;
    TExitCode Fail(TExitCode code, const QString &text);

    const TCtlOptions &FOptions;
    TCtlPrompts &FPrompts;
    TSession &FSession;
    TCtlView &FView;
};
