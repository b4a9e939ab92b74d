#include "framework/Identification.h"

#include <cstdio>

namespace ks {

namespace {

// Characters up to a zero byte or the maximum, trailing blanks removed.
std::string textAt(const Bytes& b, std::size_t offset, std::size_t maximum) {
    std::string s;
    for (std::size_t i = offset; i < offset + maximum && i < b.size() && b[i] != 0; ++i)
        s.push_back(static_cast<char>(b[i]));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

} // namespace

std::string Identification::serialNumber() const {
    char text[40];
    std::snprintf(text, sizeof text, "%02d/%02d/%05ld", serialWeek, serialYear, serialUnit);
    return text;
}

bool decodeIdentification(const Bytes& b, Identification& out) {
    if (b.size() < 2u * Identification::kRegisterCount)
        return false;
    out.slave = static_cast<std::int8_t>(b[1]);
    out.deviceCode = b[2] << 8 | b[3];
    out.serialWeek = static_cast<std::int8_t>(b[4]);
    out.serialYear = static_cast<std::int8_t>(b[5]);
    out.serialUnit =
        static_cast<long>(static_cast<std::uint32_t>(b[6]) << 24 | b[7] << 16 | b[8] << 8 | b[9]);
    out.firmware = textAt(b, 10, 20);
    out.description = textAt(b, 30, 20);
    return true;
}

} // namespace ks
