#pragma once

#include "Prompts.h"

class QWidget;

// The real prompts: modal Qt message, input and file dialogs over the given parent.
class TQtPrompts : public TPrompts {
public:
    explicit TQtPrompts(QWidget *parent = nullptr) : FParent(parent) {}
    void setParent(QWidget *parent) { FParent = parent; }

    TButton Message(const QString &text, TButtons buttons = mbOK, TIcon icon = iconNone,
                    const QString &caption = QString()) override;
    bool InputBox(const QString &caption, const QString &prompt, QString &value) override;
    QString OpenFileName(const QString &caption, const QString &dir, const QString &filter,
                         const QString &defaultExt) override;
    QString SaveFileName(const QString &caption, const QString &dir, const QString &filter,
                         const QString &defaultExt) override;

    // Pure helpers, public for tests.
    // "Text files (*.txt)|*.txt|All files (*.*)|*.*" -> "Text files (*.txt);;All files (*.*)";
    // a filter already in Qt form is returned unchanged.
    static QString QtFilter(const QString &filter);
    // Appends "." + defaultExt when the chosen name has no suffix.
    static QString WithDefaultSuffix(const QString &path, const QString &defaultExt);
    // The title of a box without an explicit caption, by its icon.
    static QString DefaultCaption(TIcon icon);

private:
    // The parent while it is on screen. Boxes before the main window shows (search,
    // demo mode, "No device found") have none, so Qt centres them on the screen instead
    // of over a window that is not there yet.
    QWidget *Owner() const;

    QWidget *FParent;
};
