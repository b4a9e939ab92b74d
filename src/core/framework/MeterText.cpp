#include "framework/MeterText.h"

namespace ks {

std::string meterTextToUtf8(const std::uint8_t* bytes, std::size_t maximum) {
    std::string s;
    for (std::size_t i = 0; i < maximum && bytes[i] != 0; ++i) {
        const std::uint8_t c = bytes[i];
        if (c < 0x80) {
            s.push_back(static_cast<char>(c));
        } else {
            s.push_back(static_cast<char>(0xC0 | (c >> 6)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return s;
}

namespace {

// The next character of a UTF-8 text starting at i; advances i. Bytes that do not form a
// character are taken one by one as Latin-1, so no input is lost or read past its end.
std::uint32_t nextCharacter(const std::string& t, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(t[k]); };
    const std::uint8_t c = byte(i);
    int extra = 0;
    std::uint32_t code = c;
    if (c >= 0xC2 && c <= 0xDF) {
        extra = 1;
        code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        extra = 2;
        code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3;
        code = c & 0x07;
    }
    if (extra == 0 || i + static_cast<std::size_t>(extra) >= t.size()) {
        ++i;
        return c;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return c;
        }
        code = code << 6 | (byte(i + k) & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return code;
}

} // namespace

void utf8ToMeterText(const std::string& text, std::uint8_t* out, std::size_t width) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size() && n < width;) {
        const std::uint32_t code = nextCharacter(text, i);
        out[n++] = static_cast<std::uint8_t>(code <= 0xFF ? code : '?');
    }
    for (; n < width; ++n)
        out[n] = ' ';
}

} // namespace ks
