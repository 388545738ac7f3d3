#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Number text for the wire and for files: "." always, no grouping, whatever the locale.
namespace Instrument {

// Fixed-decimal text, rounded half away from zero on the value's shortest decimal form,
// so a value that is a whole number of steps keeps its last digit. A negative value that
// rounds to zero is written without sign. Non-finite values give "0" with the decimals.
QString FormatFixed(double value, int decimals);

// C numbers for the whole process (C library and Qt's default locale): called once at a
// program's entry, before anything formats or parses a number.
void UseCNumbersProcessWide();

inline constexpr int PeriodDecimals = 9;
inline constexpr int TimeDecimals = 11; // delay and width
inline constexpr int LevelDecimals = 2; // threshold levels and amplitude

inline QString FormatPeriod(double seconds) {
    return FormatFixed(seconds, PeriodDecimals);
}
inline QString FormatTime(double seconds) {
    return FormatFixed(seconds, TimeDecimals);
}
inline QString FormatLevel(double volts) {
    return FormatFixed(volts, LevelDecimals);
}

QString FormatUnsigned(std::uint32_t count);
QString FormatSigned(std::int64_t count);

// A count control's value as the instrument takes it: rounded half away from zero, then
// the low 32 bits. Non-finite values give 0; values beyond 64 bits saturate first.
std::int64_t RoundHalfAway(double value);
std::uint32_t CountAsUnsigned(double value);
std::int32_t CountAsSigned(double value);
inline std::uint32_t LowBits32(std::int64_t value) {
    return static_cast<std::uint32_t>(value);
}

// Locale-free, full-match, range-checked parsing. No white space is skipped: callers trim
// where the protocol says so. Integers: optional sign, decimal digits. Decimals: optional
// sign, digits with at most one ".", optional exponent; "nan", "inf", "12a", "1,5" and ""
// are rejected, as is anything that does not fit (or is not finite).
std::optional<std::int32_t> ParseInt32(QStringView text);
std::optional<std::int64_t> ParseInt64(QStringView text);
std::optional<std::uint32_t> ParseUInt32(QStringView text);
std::optional<double> ParseDouble(QStringView text);

} // namespace Instrument
