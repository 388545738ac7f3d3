#pragma once

#include "AnsweredPrompts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Test double of the prompts seam: records every text shown and answers from a script.
// Each answer may first run an action (e.g. pump events for a while) so that the
// re-entrancy a real modal box allows is exercised.
//
// It gives only the answers queued. A box beyond them fails the test, naming its text, and
// is closed the way that stops the asking (Abort, No, Cancel, else OK; input and file
// dialogs cancelled), so a fault that would ask again and again fails at once.
class TScriptedPrompts : public TAnsweredPrompts {
public:
    ~TScriptedPrompts() override;
    struct TShown {
        QString kind; // "message", "input", "open", "save"
        QString text; // message text, input prompt or dialog caption
        QString caption;
        TButtons buttons = mbNone;
        TIcon icon = iconNone;
    };

    // Queue answers; they are consumed in order, one per box of any kind.
    void QueueButton(TButton b, std::function<void()> before = {});
    void QueueOK(int count = 1); // acknowledges the next count boxes
    void QueueInput(const QString &value, bool accepted = true, std::function<void()> before = {});
    void QueueFileName(const QString &path, std::function<void()> before = {});

    QList<TShown> Shown;
    // Every file dialog shown, with what it was given.
    struct TFileDialog {
        QString kind; // "open", "save"
        QString caption;
        QString dir;
        QString filter;
        QString defaultExt;
    };
    QList<TFileDialog> FileDialogs;
    QStringList Texts() const; // the text of every box shown, in order
    int PendingAnswers() const { return FAnswers.size(); }

protected:
    TAnswer Answer(const TQuestion &question) override;

private:
    struct TQueued {
        TButton button = mbNone;
        QString text;
        bool accepted = true;
        std::function<void()> before;
    };
    QList<TQueued> FAnswers;
};
