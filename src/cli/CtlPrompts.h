#pragma once

#include "AnsweredPrompts.h"
#include "ExitCode.h"

#include <QString>

// Prompts for a program without a user at the keyboard: every message goes to standard
// error and is answered at once, so no question ever waits. A lost reply or a vanished
// port is answered "No" (end, no restart) and remembered as a time-out; an error box is
// remembered with the failure it stands for. The file dialogs answer with the file the
// command line named.
class TCtlPrompts : public TAnsweredPrompts {
public:
    explicit TCtlPrompts(bool quiet) : FQuiet(quiet) {}

    // The file the next file dialog answers with.
    QString FileName;
    // The worst failure shown so far (Ok: none).
    TExitCode Failure() const { return FFailure; }
    void Fail(TExitCode code, const QString &text);

private:
    TAnswer Answer(const TQuestion &question) override;
    TButton MessageButton(const QString &text, TButtons buttons, TIcon icon);
    void Print(const QString &text) const;

    bool FQuiet;
    TExitCode FFailure = TExitCode::Ok;
};
