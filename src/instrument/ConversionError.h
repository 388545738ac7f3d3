#pragma once

#include <QString>
#include <stdexcept>

namespace Instrument {

// A record field that does not convert; what() is the message the user sees.
class TConversionError : public std::runtime_error {
public:
    explicit TConversionError(const QString &message)
        : std::runtime_error(message.toStdString()), FMessage(message) {}
    const QString &Message() const { return FMessage; }

private:
    QString FMessage;
};

} // namespace Instrument
