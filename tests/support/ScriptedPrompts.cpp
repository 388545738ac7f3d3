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

TAnsweredPrompts::TAnswer TScriptedPrompts::Answer(const TQuestion &q) {
    static const char *const kinds[] = {"message", "input", "open", "save"};
    const QString kind = kinds[q.Kind];
    Shown.append({kind, q.Text, q.Caption, q.Buttons, q.Icon});
    if (q.Kind == akOpen || q.Kind == akSave)
        FileDialogs.append({kind, q.Caption, q.Dir, q.Filter, q.DefaultExt});
    TQueued a;
    if (FAnswers.isEmpty()) {
        ADD_FAILURE() << "unexpected " << kind.toStdString() << " box: \"" << q.Text.toStdString()
                      << "\" (no answer queued)";
        a.accepted = false;
    } else {
        a = FAnswers.takeFirst();
        if (a.before)
            a.before();
    }
    if (q.Kind != akMessage)
        return {mbNone, a.accepted, a.text};
    if (a.button != mbNone)
        return {a.button, true, {}};
    for (TButton b : {mbAbort, mbNo, mbCancel, mbOK})
        if (q.Buttons & b)
            return {b, true, {}};
    return {mbCancel, true, {}};
}

QStringList TScriptedPrompts::Texts() const {
    QStringList out;
    for (const TShown &s : Shown)
        out << s.text;
    return out;
}
