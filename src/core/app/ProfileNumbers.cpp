#include "app/ProfileNumbers.h"

#include <charconv>
#include <cmath>

namespace ks {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view t, std::size_t i) {
    while (i < t.size() && isDigit(t[i]))
        ++i;
    return i;
}

} // namespace

std::string formatProfileNumber(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // The largest double has 309 integer digits.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    return std::string(buf, res.ptr);
}

std::optional<double> parseProfileNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t start = i;
    std::size_t end = skipDigits(text, i);
    std::size_t digits = end - start;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fracEnd = skipDigits(text, end + 1);
        digits += fracEnd - end - 1;
        end = fracEnd;
    }
    if (digits == 0)
        return std::nullopt;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const std::size_t expEnd = skipDigits(text, e);
        if (expEnd > e)
            end = expEnd;
    }
    double value = 0;
    const auto res =
        std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + end)
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace ks
