#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ks {

// One printf number conversion, parsed and checked before anything is printed with it. A field's
// display format comes from tables and files, so it is never handed to printf itself: the program
// prints numbers by this description, the same way in every locale (the point is always ".").
struct NumberConversion {
    std::string prefix; // literal text before the conversion, "%%" already read as "%"
    std::string suffix; // literal text after it
    bool leftAlign = false;
    bool plusSign = false;
    bool spaceSign = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1;    // -1 when the format gives none
    char conversion = 'f'; // one of f F e E g G d i u x X
};

// A format made of literal text and exactly one number conversion: flags among "-+ 0", a width
// and a precision of at most two digits each, no length modifier, no "*". Anything else
// (several conversions, "%s", "%n", text longer than 64 characters) is refused.
std::optional<NumberConversion> parseNumberFormat(std::string_view format);

// The value printed as printf would print it with that conversion; integer conversions take the
// value rounded half away from zero, held to the 64-bit range (unsigned ones to 0 and above).
std::string formatNumber(const NumberConversion& conversion, double value);

// The text a field gets when a number is set into it, by its display format:
//   containing "auto" (as "auto4"): the last character is the count of significant digits;
//   ending in "h" or "H": "0x" and the hexadecimal digits (hexDigitCount of the format);
//   ending in "l": the value as an integer ("%0.f");
//   a valid number format: printed with it;
//   anything else ("%s", "%c", "%rien%", a refused format): the shortest text of the value.
std::string formatFieldNumber(std::string_view format, double value);

// "auto" format: decimals = significant digits - digits before the point of the value printed
// with "%f" (sign not counted); rounded half away from zero; no decimals when that is below 1.
std::string formatAutoDigits(double value, int significantDigits);

// "0x" and the value (rounded half away from zero) in upper-case hexadecimal, at least `digits`
// digits; a negative value gets a leading "-".
std::string formatHex(double value, int digits);

// The digit count of a hexadecimal format: the number between its first and last characters,
// 4 when the format is shorter than 3 characters or holds no number there; 1 to 16.
int hexDigitCount(std::string_view format);

// The number a text starts with, read as sscanf("%f") reads it (leading blanks, sign, digits,
// point, exponent); nullopt when the text does not start with one. Only finite values come
// back: a number too large for a double gives the largest double of its sign.
std::optional<double> parseLeadingNumber(std::string_view text);

// A hexadecimal number with or without "0x" (leading blanks and a sign allowed); nullopt when
// there is no hexadecimal digit. Values beyond 64 bits are held to the largest one.
std::optional<double> parseHexNumber(std::string_view text);

// The number written after the point of a format ("%0.2f" gives 2, "%.f" and "%d" give 0).
int formatDecimals(std::string_view format);

// Last character of a format, 0 for an empty one.
inline char formatLastChar(std::string_view format) {
    return format.empty() ? '\0' : format.back();
}

} // namespace ks
