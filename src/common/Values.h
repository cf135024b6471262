// The program's number rules. Every subsystem reads and writes numbers through these
// functions and nowhere else, so that a text means the same number everywhere.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

namespace kel {

// Leading-number rule: skip leading blanks (space, tab, CR, LF), take the longest leading
// decimal number (optional sign, digits, one decimal point, optional exponent "E"/"e" with
// optional sign) and ignore the rest. "&H" and "&O" prefixes read hexadecimal and octal
// digits. A text with no leading number is 0. "12abc" -> 12, "1,234" -> 1, "abc" -> 0.
double Val(QStringView text);

// Whether the text is one number and nothing else: the leading-number rule reads all of it
// but surrounding blanks ("12.5", " -3e2 ", "&HFF"; not "", "12abc", "1,2", "1.2.3").
// `value` receives the number when it is.
bool IsNumberText(QStringView text, double* value = nullptr);

// General number text: shortest form with at most `significantDigits` significant digits,
// no trailing zeros, no decimal point for whole numbers, "-" for negatives, no leading
// blank. Exponent notation ("1E+15", "1.5E-05") only where the decimal exponent is below -4
// or reaches the digit count. Negative zero is "0"; NaN and infinities are written as
// "NaN", "Inf" and "-Inf".
QString NumText(double value, int significantDigits = 15);

// Picture formats of digits, as used for fixed-width number fields:
//   "0"  a digit that is always written (leading or trailing zeros),
//   "#"  a digit written only when significant,
//   "."  the decimal point (written whenever the picture has one).
// The value is rounded half away from zero to the number of decimal places the picture
// holds; the rounding works on the value's 15-significant-digit decimal form, so that
// 2.675 with "0.00" gives "2.68". A negative value that rounds to zero loses its sign.
// Integer digits beyond the picture are all written. Examples: 7 "0000" -> "0007",
// 12.345 "00.0" -> "12.3", 0.5 "####.###" -> ".5", 3.14159 "######0.000" -> "3.142".
QString FormatNumber(double value, QStringView picture);

// Character pictures: "@" is one character place; a trailing "!" fills the places from the
// left (text left-aligned, blanks after it), otherwise from the right. A longer text is
// written whole. "AB" with "@@@@@@!" -> "AB    ".
QString FormatText(const QString& text, QStringView picture);

// Rounding rules.
// Halves to even, where a value becomes an integer index or count (2.5 -> 2, 3.5 -> 4).
// Values outside the 64-bit range clamp to its ends; NaN gives 0.
std::int64_t RoundHalfEven(double value);
// Halves away from zero at `decimals` places, on the 15-digit decimal form (2.5 -> 3,
// -2.5 -> -3).
double RoundHalfAway(double value, int decimals = 0);
// Int: the floor (-35.5 -> -36).
double IntFloor(double value);

// Truth in the program's texts: true is "-1", false is "0"; a text counts as true when it
// reads as a non-zero number or is "True".
inline QString TruthText(bool b) { return b ? QStringLiteral("-1") : QStringLiteral("0"); }
bool IsTrueText(const QString& text);

}  // namespace kel
