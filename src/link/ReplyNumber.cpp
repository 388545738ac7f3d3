#include "ReplyNumber.h"

#include <limits>

namespace {

bool IsControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

bool ParseDecimalInt64(const QByteArray &text, qint64 &value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    // Accumulate as a negative number: its range holds the most negative value too.
    const qint64 lowest = std::numeric_limits<qint64>::min();
    qint64 accumulated = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        const int digit = c - '0';
        if (accumulated < (lowest + digit) / 10)
            return false;
        accumulated = accumulated * 10 - digit;
    }
    if (!negative) {
        if (accumulated == lowest)
            return false;
        accumulated = -accumulated;
    }
    value = accumulated;
    return true;
}

QByteArray TrimTrailingControl(const QByteArray &text) {
    qsizetype end = text.size();
    while (end > 0 && IsControlOrBlank(text[end - 1]))
        --end;
    return text.left(end);
}

QByteArray TrimControl(const QByteArray &text) {
    qsizetype begin = 0;
    const QByteArray tail = TrimTrailingControl(text);
    while (begin < tail.size() && IsControlOrBlank(tail[begin]))
        ++begin;
    return tail.mid(begin);
}
