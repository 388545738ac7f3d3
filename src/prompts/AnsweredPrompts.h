#pragma once

#include "Prompts.h"

// Prompts that the program answers itself instead of a user: every box and dialog becomes
// one question for one function, so a test double or a program without a keyboard
// implements that function alone.
class TAnsweredPrompts : public TPrompts {
public:
    enum TKind { akMessage, akInput, akOpen, akSave };
    struct TQuestion {
        TKind Kind = akMessage;
        QString Text; // message text, input prompt or dialog caption
        QString Caption;
        TButtons Buttons = mbNone;
        TIcon Icon = iconNone;
        QString Dir, Filter, DefaultExt; // file dialogs only
    };
    struct TAnswer {
        TButton Button = mbCancel; // a message box's button
        bool Accepted = false;     // an input box closed with OK
        QString Text;              // the value typed or the file chosen; no file: cancelled
    };

    TButton Message(const QString &text, TButtons buttons, TIcon icon,
                    const QString &caption) final;
    bool InputBox(const QString &caption, const QString &prompt, QString &value) final;
    QString OpenFileName(const QString &caption, const QString &dir, const QString &filter,
                         const QString &defaultExt) final;
    QString SaveFileName(const QString &caption, const QString &dir, const QString &filter,
                         const QString &defaultExt) final;

protected:
    virtual TAnswer Answer(const TQuestion &question) = 0;
};
