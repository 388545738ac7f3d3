#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Dates and times as the user's system writes them (short date, long time), for the
// settings list and the log header.
namespace Instrument {

QString SystemShortDate(const QDate &date);
// The long time format without the time zone Qt adds to it (neither text ever had one).
QString SystemLongTime(const QTime &time);

// A time format with its time-zone field ('t' outside quotes) and the blanks it leaves
// removed.
QString WithoutTimeZone(const QString &format);

} // namespace Instrument
