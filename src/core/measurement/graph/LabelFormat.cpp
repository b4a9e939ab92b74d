#include "measurement/graph/LabelFormat.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace ks {

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Skips up to two digits; false when a third follows.
bool skipDigits(std::string_view f, std::size_t& i) {
    std::size_t n = 0;
    while (i < f.size() && isDigit(f[i])) {
        ++i;
        ++n;
    }
    return n <= 2;
}

// Reads one conversion starting at the '%' at i; advances i past it.
bool readConversion(std::string_view f, std::size_t& i) {
    ++i;
    while (i < f.size() && std::string_view("-+ #0").find(f[i]) != std::string_view::npos)
        ++i;
    if (!skipDigits(f, i))
        return false;
    if (i < f.size() && f[i] == '.') {
        ++i;
        if (!skipDigits(f, i))
            return false;
    }
    if (i < f.size() && f[i] == 'l')
        ++i;
    if (i >= f.size() || std::string_view("fFeEgG").find(f[i]) == std::string_view::npos)
        return false;
    ++i;
    return true;
}

std::string print(const char* format, double value) {
    const int size = std::snprintf(nullptr, 0, format, value);
    if (size < 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, value);
    return std::string(buffer.data(), static_cast<std::size_t>(size));
}

} // namespace

bool isNumberFormat(std::string_view format) {
    int conversions = 0;
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] == '\0')
            return false;
        if (format[i] != '%') {
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            i += 2;
            continue;
        }
        if (!readConversion(format, i))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

std::string formatNumber(std::string_view format, double value) {
    if (!isNumberFormat(format))
        return print("%g", value);
    const std::string checked(format);
    return print(checked.c_str(), value);
}

} // namespace ks
