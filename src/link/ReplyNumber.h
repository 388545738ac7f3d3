#pragma once

#include <QByteArray>
#include <QtGlobal>

// Whole-text decimal conversion of a reply: optional '+' or '-', then decimal digits and
// nothing else (no blanks, no hexadecimal, no exponent, no "nan"). False when the text is
// not such a number or does not fit 64 bits; value is then left unchanged.
bool ParseDecimalInt64(const QByteArray &text, qint64 &value);

// Removes the characters of code 32 or less at the end (CR, LF, blanks, control bytes).
QByteArray TrimTrailingControl(const QByteArray &text);

// Removes the characters of code 32 or less at both ends.
QByteArray TrimControl(const QByteArray &text);
