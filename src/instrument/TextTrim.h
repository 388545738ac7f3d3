#pragma once

#include <QString>
#include <QStringView>

namespace Instrument {

// Replies count every code of 32 or less as white space (blanks, CR, LF, control bytes),
// and nothing else: a Latin-1 0xA0 or 0x85 is part of the text.
bool IsReplyWhite(QChar c);
QString TrimTrailingWhite(QStringView text);

} // namespace Instrument
