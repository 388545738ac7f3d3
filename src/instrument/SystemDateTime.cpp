#include "SystemDateTime.h"

#include <QLocale>

namespace Instrument {

QString SystemShortDate(const QDate &date) {
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString SystemLongTime(const QTime &time) {
    const QLocale system = QLocale::system();
    return system.toString(time, WithoutTimeZone(system.timeFormat(QLocale::LongFormat)));
}

QString WithoutTimeZone(const QString &format) {
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.simplified();
}

} // namespace Instrument
