#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Number <-> text, the same everywhere and whatever the user's locale:
// "." is the decimal point, nothing here calls a locale-dependent function.
namespace mostarium::num {

// Leading-number conversion: leading blanks, optional sign, digits, optional
// "." and digits, optional exponent; reads as far as the text is a number.
// "2x" -> 2, "." -> 0, "1,5" -> 1, "" -> 0. A number too large for a double
// ("1E999") throws the overflow CalcError; one too small reads as 0.
double val(QStringView text);
// The same leading number, or none when the text's number is too large for a
// double: the one "no number" of the program. A check takes none as outside
// every range; a computation goes no further (never a NaN or an infinity).
std::optional<double> leadingNumber(QStringView text);

// Strict conversion: the whole text, blanks around it allowed, must be a number
// of the same grammar; otherwise CalcError. Overflow of the target type too.
double strictDouble(QStringView text);
float strictSingle(QStringView text);

// Plain form: shortest decimal text, 7 significant digits for a float, 15 for
// a double, leading zero below 1 ("0.5"), exponent form only for more integer
// digits than that or for magnitudes below 1E-4 ("1.234568E+07", "1E-05").
QString plain(float v);
QString plain(double v);
// Signed form: the plain form with a leading blank for 0 or more (" 0.5").
QString signedText(float v);
QString signedText(double v);

// Display patterns: "#" digit where significant, "0" digit always, "." the
// decimal point, "," between integer placeholders groups thousands, every other
// character is copied. The decimal value (7 significant digits for a float, 15
// for a double) is rounded to the pattern's decimals, halves away from zero.
QString format(float v, QStringView pattern);
QString format(double v, QStringView pattern);
// The named format "Scientific": two decimals and a signed exponent of at
// least two digits ("2.00E+05", "-1.50E-03"); "" for a NaN or an infinity.
QString scientific(double v);
// A text that holds a number is formatted as that number; another text comes
// back as it is.
QString formatText(QStringView text, QStringView pattern);

// Storing into an integer: nearest whole number, halves to even; outside the
// range (or not a number) is a CalcError.
std::int16_t toInt16(double v);
std::int32_t toInt32(double v);
// Storing into a float: the nearest float; beyond its range is a CalcError.
float toSingle(double v);

// Checked arithmetic for the formulas and the recalculation.
double div(double a, double b);  // b == 0 -> CalcError
double finite(double v);         // NaN or infinity -> CalcError

}  // namespace mostarium::num
