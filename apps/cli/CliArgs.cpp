#include "CliArgs.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace ks::cli {

bool parseInteger(const std::string& text, long long& value) {
    if (text.empty() || text.size() > 24)
        return false;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* start = text.c_str() + (hex ? 2 : 0);
    if (*start == '\0' || *start == '+' || *start == ' ' || (hex && *start == '-'))
        return false;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(start, &end, hex ? 16 : 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = v;
    return true;
}

bool parseInRange(const std::string& text, long long low, long long high, long long& value) {
    long long v = 0;
    if (!parseInteger(text, v) || v < low || v > high)
        return false;
    value = v;
    return true;
}

std::string hexWords(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char word[8];
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::snprintf(word, sizeof word, "%s%02X%02X", out.empty() ? "" : " ", bytes[i],
                      bytes[i + 1]);
        out += word;
    }
    return out;
}

std::string hexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char b[4];
    for (std::uint8_t v : bytes) {
        std::snprintf(b, sizeof b, "%s%02x", out.empty() ? "" : " ", v);
        out += b;
    }
    return out;
}

} // namespace ks::cli
