#include "framework/MeterDate.h"

#include "framework/ValueType.h"

#include <array>

namespace ks {

namespace {

using Six = std::array<int, 6>;

enum Field { kMonth, kYear, kHour, kDay, kSecond, kMinute };

int stride(int type) {
    return typeEncoding(type) == valuetype::kSpreadDate ? 2 : 1;
}
int first(int type) {
    return typeEncoding(type) == valuetype::kSpreadDate ? 1 : 0;
}
bool isBcd(int type) {
    return typeEncoding(type) == valuetype::kBcdDate;
}

Six bytesOfNumber(std::uint64_t number) {
    Six b{};
    for (int i = 0; i < 6; ++i)
        b[i] = static_cast<int>((number >> (8 * i)) & 0xFF);
    return b;
}

// -1 for a byte that is not two decimal digits.
int fromBcd(int b) {
    const int high = b >> 4, low = b & 0x0F;
    return high > 9 || low > 9 ? -1 : high * 10 + low;
}
int toBcd(int v) {
    return (v / 10 % 10) << 4 | v % 10;
}

} // namespace

std::uint64_t readDateNumber(int type, const std::uint8_t* p) {
    if (!isDateType(type))
        return 0;
    std::uint64_t n = 0;
    for (int i = 0; i < 6; ++i)
        n |= static_cast<std::uint64_t>(p[first(type) + stride(type) * i]) << (8 * i);
    return n;
}

void writeDateNumber(int type, std::uint64_t number, std::uint8_t* p) {
    if (!isDateType(type))
        return;
    const Six b = bytesOfNumber(number);
    for (int i = 0; i < 6; ++i)
        p[first(type) + stride(type) * i] = static_cast<std::uint8_t>(b[i]);
}

CDateTime dateOfNumber(int type, std::uint64_t number, const RegionalSettings& settings) {
    CDateTime date(settings);
    Six f = bytesOfNumber(number);
    if (isBcd(type)) {
        for (int& v : f) {
            v = fromBcd(v);
            if (v < 0)
                return date;
        }
    }
    date.build(f[kYear], f[kMonth], f[kDay], f[kHour], f[kMinute], f[kSecond]);
    return date;
}

std::uint64_t dateNumberOf(int type, const CalendarTime& t) {
    Six f{};
    f[kMonth] = t.month;
    f[kYear] = t.year >= 2000 && t.year <= 2038 ? t.year - 2000 : t.year - 1900;
    f[kHour] = t.hour;
    f[kDay] = t.day;
    f[kSecond] = t.second;
    f[kMinute] = t.minute;
    std::uint64_t n = 0;
    for (int i = 0; i < 6; ++i) {
        // A field that does not fit its byte is held at the nearest value it can take.
        const int top = isBcd(type) ? 99 : 255;
        int v = f[i] < 0 ? 0 : f[i] > top ? top : f[i];
        v = isBcd(type) ? toBcd(v) : v;
        n |= static_cast<std::uint64_t>(v) << (8 * i);
    }
    return n;
}

std::string dateValueText(const CDateTime& date) {
    return date.dateText() + " - " + date.timeText();
}

} // namespace ks
