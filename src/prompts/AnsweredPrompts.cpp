#include "AnsweredPrompts.h"

TPrompts::TButton TAnsweredPrompts::Message(const QString &text, TButtons buttons, TIcon icon,
                                            const QString &caption) {
    return Answer({akMessage, text, caption, buttons, icon, {}, {}, {}}).Button;
}

bool TAnsweredPrompts::InputBox(const QString &caption, const QString &prompt, QString &value) {
    const TAnswer a = Answer({akInput, prompt, caption, mbNone, iconNone, {}, {}, {}});
    if (a.Accepted)
        value = a.Text;
    return a.Accepted;
}

QString TAnsweredPrompts::OpenFileName(const QString &caption, const QString &dir,
                                       const QString &filter, const QString &defaultExt) {
    return Answer({akOpen, caption, caption, mbNone, iconNone, dir, filter, defaultExt}).Text;
}

QString TAnsweredPrompts::SaveFileName(const QString &caption, const QString &dir,
                                       const QString &filter, const QString &defaultExt) {
    return Answer({akSave, caption, caption, mbNone, iconNone, dir, filter, defaultExt}).Text;
}
