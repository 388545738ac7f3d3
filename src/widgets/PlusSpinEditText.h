#pragma once

#include <QChar>
#include <QString>
#include <functional>

// The arithmetic of TPlusSpinEdit, free of any widget so that it can be checked directly.
namespace PlusSpinEditText {

constexpr QChar Placeholder = QLatin1Char('_');
constexpr QChar DecimalPoint = QLatin1Char('.');
constexpr int MinBase = 2;
constexpr int MaxBase = 20;
constexpr int MaxDecimals = 18;

// Natural logarithm of a base in 2..20, rounded to 13 decimal places (bases outside are
// clamped first).
double LnBase(int base);
int ClampBase(int base);
// Digits per group: 3 in base 10, 4 otherwise.
int GroupSize(int base);
// 0..9 for "0".."9", 10..35 for letters of either case, -1 for anything else.
int DigitValue(QChar c);

// Fixed-point text with `decimals` digits, rounded half away from zero on the shortest
// decimal form of the value; group separators when `separator` is not null.
QString FormatText(double value, int decimals, QChar separator, int base);
// Fixed-point text rounded first to `significant` digits (no separators).
QString FormatSignificant(double value, int significant, int decimals);

// Place of the most significant digit, at least 1, one more for a negative value.
int HighestDigitPosition(int base, double x);
// Focus place for a step: the power of the base whose place value the step occupies.
int IncrementExponent(double increment, int base, int decimals);
// base^n by repeated multiplication or division.
double PowerOfBase(int base, int n);

// Where the focus digit of `incExponent` sits in `text`: leading placeholders are added
// while it lies left of the text and dropped again once it moves right.
struct TFocus {
    QString text;
    int index = 1; // 1-based; may lie past the end of the text (a place right of it)
};
TFocus LocateFocus(const QString &text, int incExponent, int decimals, QChar separator, int base);
// The text as drawn: placeholders shown as "0".
QString Displayed(const QString &text);

// The text after typing `digit` over position `index` (1-based): placeholders right of it
// become "0" and separators are removed, ready for parsing.
QString TypedText(const QString &text, int index, QChar digit, QChar separator);
// Locale-free full-match parse of digits of `base` with an optional leading "-" (only in
// texts longer than one character) and at most one decimal point. False when the text is
// not a valid number or gives no finite value.
bool ParseInBase(const QString &text, int base, double &value);

// The text whose value has every digit right of the focus place set to 0.
QString RightZeroText(double value, int incExponent, int decimals);

// The place of the digit under a click `dx` pixels right of the text's left edge.
int PlaceAt(const QString &text, int decimals, QChar separator, int dx,
            const std::function<int(const QString &)> &width);

// Edge of the square arrow glyph for a spin button of width w (even, at least 4).
int GlyphSize(int buttonWidth);

} // namespace PlusSpinEditText
