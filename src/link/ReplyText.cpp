#include "ReplyText.h"

namespace {

bool IsControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

QByteArray TrimTrailingControl(const QByteArray &text) {
    qsizetype end = text.size();
    while (end > 0 && IsControlOrBlank(text[end - 1]))
        --end;
    return text.left(end);
}

QByteArray TrimControl(const QByteArray &text) {
    const QByteArray tail = TrimTrailingControl(text);
    qsizetype begin = 0;
    while (begin < tail.size() && IsControlOrBlank(tail[begin]))
        ++begin;
    return tail.mid(begin);
}
