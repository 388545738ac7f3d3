#pragma once

#include <QString>

// Every modal message box, input box and file dialog of the program goes through this
// interface, so that tests can script the answers and see the texts shown.
class TPrompts {
public:
    enum TButton {
        mbNone = 0,
        mbOK = 1 << 0,
        mbCancel = 1 << 1,
        mbAbort = 1 << 2,
        mbRetry = 1 << 3,
        mbIgnore = 1 << 4,
        mbYes = 1 << 5,
        mbNo = 1 << 6,
    };
    using TButtons = int; // bit set of TButton
    enum TIcon { iconNone, iconInformation, iconWarning, iconError, iconQuestion };

    virtual ~TPrompts() = default;

    // Modal message box; returns the button chosen (mbCancel or the first button when closed).
    virtual TButton Message(const QString &text, TButtons buttons = mbOK, TIcon icon = iconNone,
                            const QString &caption = QString()) = 0;
    // Modal input box; false when cancelled, otherwise value holds the text entered.
    virtual bool InputBox(const QString &caption, const QString &prompt, QString &value) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString OpenFileName(const QString &caption, const QString &dir, const QString &filter,
                                 const QString &defaultExt) = 0;
    virtual QString SaveFileName(const QString &caption, const QString &dir, const QString &filter,
                                 const QString &defaultExt) = 0;
};
