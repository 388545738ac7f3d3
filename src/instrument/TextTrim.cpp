#include "TextTrim.h"

namespace Instrument {

bool IsReplyWhite(QChar c) {
    return c.unicode() <= 32;
}

QString TrimTrailingWhite(QStringView text) {
    qsizetype end = text.size();
    while (end > 0 && IsReplyWhite(text[end - 1]))
        --end;
    return text.left(end).toString();
}

} // namespace Instrument
