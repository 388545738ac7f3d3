#include "ScriptedPrompts.h"

#include <gtest/gtest.h>

TScriptedPrompts::~TScriptedPrompts() {
    if (!FAnswers.isEmpty())
        ADD_FAILURE() << FAnswers.size() << " queued answer(s) never asked for";
}

void TScriptedPrompts::QueueButton(TButton b, std::function<void()> before) {
    FAnswers.append({b, QString(), true, std::move(before)});
}

void TScriptedPrompts::QueueOK(int count) {
    for (int i = 0; i < count; ++i)
        QueueButton(mbOK);
}

void TScriptedPrompts::QueueInput(const QString &value, bool accepted,
                                  std::function<void()> before) {
    FAnswers.append({mbNone, value, accepted, std::move(before)});
}

void TScriptedPrompts::QueueFileName(const QString &path, std::function<void()> before) {
    FAnswers.append({mbNone, path, true, std::move(before)});
}

bool TScriptedPrompts::TakeAnswer(TAnswer &a, const QString &kind, const QString &text) {
    if (FAnswers.isEmpty()) {
        ADD_FAILURE() << "unexpected " << kind.toStdString() << " box: \"" << text.toStdString()
                      << "\" (no answer queued)";
        return false;
    }
    a = FAnswers.takeFirst();
    if (a.before)
        a.before();
    return true;
}

TPrompts::TButton TScriptedPrompts::Message(const QString &text, TButtons buttons, TIcon icon,
                                            const QString &caption) {
    Shown.append({"message", text, caption, buttons, icon});
    TAnswer a;
    if (TakeAnswer(a, "message", text) && a.button != mbNone)
        return a.button;
    for (TButton b : {mbAbort, mbNo, mbCancel, mbOK})
        if (buttons & b)
            return b;
    return mbCancel;
}

bool TScriptedPrompts::InputBox(const QString &caption, const QString &prompt, QString &value) {
    Shown.append({"input", prompt, caption, mbNone, iconNone});
    TAnswer a;
    if (!TakeAnswer(a, "input", prompt) || !a.accepted)
        return false;
    value = a.text;
    return true;
}

QString TScriptedPrompts::OpenFileName(const QString &caption, const QString &dir,
                                       const QString &filter, const QString &defaultExt) {
    return FileName({"open", caption, dir, filter, defaultExt});
}

QString TScriptedPrompts::SaveFileName(const QString &caption, const QString &dir,
                                       const QString &filter, const QString &defaultExt) {
    return FileName({"save", caption, dir, filter, defaultExt});
}

QString TScriptedPrompts::FileName(const TFileDialog &dialog) {
    Shown.append({dialog.kind, dialog.caption, dialog.caption, mbNone, iconNone});
    FileDialogs.append(dialog);
    TAnswer a;
    return TakeAnswer(a, dialog.kind, dialog.caption) ? a.text : QString();
}

QStringList TScriptedPrompts::Texts() const {
    QStringList out;
    for (const TShown &s : Shown)
        out << s.text;
    return out;
}
