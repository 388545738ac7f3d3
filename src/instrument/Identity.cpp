#include "Identity.h"

#include "NumberFormat.h"
#include "TextTrim.h"

namespace Instrument {

namespace {

// Takes the text before the first `sep` (trailing white space removed) and moves `rest`
// past it. Without a separator the field is empty and `rest` stays whole.
QString TakeField(QString &rest, QChar sep) {
    const qsizetype pos = rest.indexOf(sep);
    if (pos < 0)
        return QString();
    const QString field = TrimTrailingWhite(QStringView(rest).left(pos));
    rest = rest.mid(pos + 1);
    return field;
}

} // namespace

TIdnOutcome ParseIDN(const QString &reply, TIdentity &identity) {
    const QString text = TrimTrailingWhite(reply);
    if (text.size() < MinIdnLength) {
        identity = TIdentity();
        return TIdnOutcome::Cleared;
    }
    QString rest = text;
    identity.Manufacturer = TakeField(rest, QLatin1Char(','));
    identity.ModelNumber = TakeField(rest, QLatin1Char(','));
    const auto serial = ParseInt32(TakeField(rest, QLatin1Char(',')));
    if (!serial)
        return TIdnOutcome::SerialNotNumber;
    identity.SerialNumber = *serial;
    identity.FirmwareVersion = TakeField(rest, QLatin1Char('-'));
    identity.FPGAVersion = rest;
    return TIdnOutcome::Complete;
}

} // namespace Instrument
