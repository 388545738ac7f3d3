#pragma once

#include <QByteArray>

// Reply lines end in CR (and maybe LF, blanks or other control bytes the line picked up).

// Removes the characters of code 32 or less at the end (CR, LF, blanks, control bytes).
QByteArray TrimTrailingControl(const QByteArray &text);

// Removes the characters of code 32 or less at both ends.
QByteArray TrimControl(const QByteArray &text);
