#include "framework/FieldFormat.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace ks {

namespace {

constexpr std::size_t kMaxFormatLength = 64;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Reads literal text up to the next conversion; "%%" is a literal percent sign.
// Returns the position of the '%' that starts a conversion, or npos.
std::size_t readLiteral(std::string_view format, std::size_t pos, std::string& out) {
    while (pos < format.size()) {
        const char c = format[pos];
        if (c != '%') {
            out += c;
            ++pos;
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == '%') {
            out += '%';
            pos += 2;
            continue;
        }
        return pos;
    }
    return std::string_view::npos;
}

// At most two digits; -1 when there are none.
int readSmallNumber(std::string_view format, std::size_t& pos, bool& tooLong) {
    int value = -1;
    int count = 0;
    while (pos < format.size() && isDigit(format[pos])) {
        value = (value < 0 ? 0 : value * 10) + (format[pos] - '0');
        ++pos;
        if (++count > 2)
            tooLong = true;
    }
    return value;
}

bool isNumberConversion(char c) {
    switch (c) {
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
        return true;
    default:
        return false;
    }
}

std::string toUpper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The digits of a floating conversion (sign included, no padding).
std::string floatingDigits(double value, char conversion, int precision) {
    std::array<char, 1024> buf{};
    std::chars_format how = std::chars_format::fixed;
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(conversion)));
    if (lower == 'e')
        how = std::chars_format::scientific;
    else if (lower == 'g')
        how = std::chars_format::general;
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, how, precision);
    if (res.ec != std::errc())
        return {};
    std::string text(buf.data(), res.ptr);
    if (conversion != lower)
        text = toUpper(text);
    return text;
}

long long roundToInteger(double value) {
    if (std::isnan(value))
        return 0;
    const double r = std::round(value);
    if (r >= 9.2233720368547748e18)
        return std::numeric_limits<long long>::max();
    if (r <= -9.2233720368547758e18)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(r);
}

std::string integerDigits(double value, char conversion, int precision) {
    long long n = roundToInteger(value);
    if ((conversion == 'u' || conversion == 'x' || conversion == 'X') && n < 0)
        n = 0;
    const bool negative = n < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    std::array<char, 32> buf{};
    const int base = (conversion == 'x' || conversion == 'X') ? 16 : 10;
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, base);
    std::string digits(buf.data(), res.ptr);
    if (conversion == 'X')
        digits = toUpper(digits);
    if (precision == 0 && magnitude == 0)
        digits.clear();
    if (precision > 0 && static_cast<int>(digits.size()) < precision)
        digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

std::string shortestText(double value) {
    std::array<char, 64> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    if (res.ec != std::errc())
        return {};
    std::string text(buf.data(), res.ptr);
    return text == "-0" ? "0" : text;
}

// Moves pos past leading blanks and one sign; true when the sign was a minus.
bool skipBlanksAndSign(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    return negative;
}

} // namespace

std::optional<NumberConversion> parseNumberFormat(std::string_view format) {
    if (format.size() > kMaxFormatLength)
        return std::nullopt;
    NumberConversion conv;
    std::size_t pos = readLiteral(format, 0, conv.prefix);
    if (pos == std::string_view::npos)
        return std::nullopt; // no conversion at all
    ++pos;
    for (; pos < format.size(); ++pos) {
        const char c = format[pos];
        if (c == '-')
            conv.leftAlign = true;
        else if (c == '+')
            conv.plusSign = true;
        else if (c == ' ')
            conv.spaceSign = true;
        else if (c == '0')
            conv.zeroPad = true;
        else
            break;
    }
    bool tooLong = false;
    const int width = readSmallNumber(format, pos, tooLong);
    conv.width = width < 0 ? 0 : width;
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        const int precision = readSmallNumber(format, pos, tooLong);
        conv.precision = precision < 0 ? 0 : precision;
    }
    if (tooLong || pos >= format.size() || !isNumberConversion(format[pos]))
        return std::nullopt;
    conv.conversion = format[pos];
    ++pos;
    const std::size_t next = readLiteral(format, pos, conv.suffix);
    if (next != std::string_view::npos)
        return std::nullopt; // a second conversion (or a lone '%')
    return conv;
}

std::string formatNumber(const NumberConversion& conv, double value) {
    const char c = conv.conversion;
    const bool integer = c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X';
    std::string body;
    if (integer) {
        body = integerDigits(value, c, conv.precision);
    } else {
        body = floatingDigits(value, c, conv.precision < 0 ? 6 : conv.precision);
    }
    std::string sign;
    if (!body.empty() && body.front() == '-') {
        sign = "-";
        body.erase(0, 1);
    } else if (conv.plusSign) {
        sign = "+";
    } else if (conv.spaceSign) {
        sign = " ";
    }
    const bool finite = integer || std::isfinite(value);
    // printf ignores the zero flag for integers with a precision and for inf/nan.
    const bool zeroPad =
        conv.zeroPad && !conv.leftAlign && finite && !(integer && conv.precision >= 0);
    const std::size_t length = sign.size() + body.size();
    const std::size_t width = static_cast<std::size_t>(conv.width);
    std::string out;
    if (length >= width) {
        out = sign + body;
    } else if (conv.leftAlign) {
        out = sign + body + std::string(width - length, ' ');
    } else if (zeroPad) {
        out = sign + std::string(width - length, '0') + body;
    } else {
        out = std::string(width - length, ' ') + sign + body;
    }
    return conv.prefix + out + conv.suffix;
}

std::string formatAutoDigits(double value, int significantDigits) {
    if (!std::isfinite(value))
        return floatingDigits(value, 'f', 6);
    // Digits before the point of "%f", the sign not counted.
    const std::string plain = floatingDigits(std::fabs(value), 'f', 6);
    const std::size_t point = plain.find('.');
    const int before = static_cast<int>(point == std::string::npos ? plain.size() : point);
    const int decimals = significantDigits - before;
    double rounded = 0;
    NumberConversion conv;
    if (decimals < 1) {
        rounded = std::round(value);
        conv.precision = 0;
    } else {
        const double scale = std::pow(10.0, decimals);
        rounded = std::round(value * scale) / scale;
        conv.precision = decimals;
    }
    if (rounded == 0)
        rounded = 0.0; // no "-0.000" for a small negative value
    return formatNumber(conv, rounded);
}

std::string formatHex(double value, int digits) {
    const long long n = roundToInteger(value);
    const bool negative = n < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    std::array<char, 32> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, 16);
    std::string text = toUpper(std::string(buf.data(), res.ptr));
    if (static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return (negative ? "-0x" : "0x") + text;
}

int hexDigitCount(std::string_view format) {
    if (format.size() < 3)
        return 4;
    const std::string_view middle = format.substr(1, format.size() - 2);
    std::size_t pos = 0;
    int value = 0;
    bool any = false;
    while (pos < middle.size() && isDigit(middle[pos]) && value < 100) {
        value = value * 10 + (middle[pos] - '0');
        any = true;
        ++pos;
    }
    if (!any)
        return 4;
    if (value < 1)
        return 1;
    return value > 16 ? 16 : value;
}

std::string formatFieldNumber(std::string_view format, double value) {
    if (format.find("auto") != std::string_view::npos) {
        const char last = formatLastChar(format);
        return formatAutoDigits(value, isDigit(last) ? last - '0' : 0);
    }
    const char last = formatLastChar(format);
    if (last == 'h' || last == 'H')
        return formatHex(value, hexDigitCount(format));
    if (last == 'l') {
        NumberConversion integer;
        integer.zeroPad = true;
        integer.precision = 0;
        return formatNumber(integer, value);
    }
    if (const auto conv = parseNumberFormat(format))
        return formatNumber(*conv, value);
    return shortestText(value);
}

std::optional<double> parseLeadingNumber(std::string_view text) {
    std::size_t pos = 0;
    const bool negative = skipBlanksAndSign(text, pos);
    const std::size_t start = pos;
    std::size_t digits = 0;
    bool nonZero = false;
    while (pos < text.size() && isDigit(text[pos])) {
        nonZero = nonZero || text[pos] != '0';
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            nonZero = nonZero || text[pos] != '0';
            ++pos;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool positiveExponent = true;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t e = pos + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
            positiveExponent = text[e] == '+';
            ++e;
        }
        if (e < text.size() && isDigit(text[e])) {
            while (e < text.size() && isDigit(text[e]))
                ++e;
            pos = e;
        }
    }
    double value = 0;
    const auto res =
        std::from_chars(text.data() + start, text.data() + pos, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        value = (nonZero && positiveExponent) ? std::numeric_limits<double>::max() : 0.0;
    } else if (res.ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> parseHexNumber(std::string_view text) {
    std::size_t pos = 0;
    const bool negative = skipBlanksAndSign(text, pos);
    // "0x" with no digit after it is the number 0 followed by an 'x', as strtoul reads it.
    bool any = false;
    if (pos + 1 < text.size() && text[pos] == '0' &&
        (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        any = true;
        pos += 2;
    }
    unsigned long long value = 0;
    bool overflow = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        int digit = -1;
        if (isDigit(c))
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            break;
        any = true;
        if (value > (std::numeric_limits<unsigned long long>::max() >> 4))
            overflow = true;
        else
            value = (value << 4) | static_cast<unsigned long long>(digit);
    }
    if (!any)
        return std::nullopt;
    const double magnitude =
        overflow ? static_cast<double>(std::numeric_limits<unsigned long long>::max())
                 : static_cast<double>(value);
    return negative ? -magnitude : magnitude;
}

int formatDecimals(std::string_view format) {
    const std::size_t point = format.find('.');
    if (point == std::string_view::npos)
        return 0;
    int value = 0;
    for (std::size_t pos = point + 1; pos < format.size() && isDigit(format[pos]); ++pos) {
        value = value * 10 + (format[pos] - '0');
        if (value > 99)
            return 99;
    }
    return value;
}

} // namespace ks
