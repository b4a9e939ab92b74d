#include "sim/MeterClock.h"

#include <cmath>
#include <ctime>

namespace ks::sim {

namespace {

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// Days from 1970-01-01 to y-m-d (Howard Hinnant's civil calendar algorithm).
std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = static_cast<int>(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yoe + era * 400) + (m <= 2);
}

} // namespace

std::int64_t toCalendarSeconds(const MeterDateTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

MeterDateTime fromCalendarSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    MeterDateTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

void encodeMeterClock(const MeterDateTime& t, std::uint8_t out[6]) {
    out[0] = static_cast<std::uint8_t>(t.month);
    out[1] = static_cast<std::uint8_t>(t.year % 100);
    out[2] = static_cast<std::uint8_t>(t.hour);
    out[3] = static_cast<std::uint8_t>(t.day);
    out[4] = static_cast<std::uint8_t>(t.second);
    out[5] = static_cast<std::uint8_t>(t.minute);
}

std::optional<MeterDateTime> decodeMeterClock(const std::uint8_t in[6]) {
    MeterDateTime t;
    t.month = in[0];
    t.year = in[1] <= 38 ? 2000 + in[1] : 1900 + in[1];
    t.hour = in[2];
    t.day = in[3];
    t.second = in[4];
    t.minute = in[5];
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

MeterDateTime localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    if (localtime_r(&now, &tm) == nullptr)
        return MeterDateTime{};
    return MeterDateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                         tm.tm_hour,        tm.tm_min,     tm.tm_sec};
}

void CMeterClock::set(const MeterDateTime& t, double nowSeconds) {
    m_base = toCalendarSeconds(t);
    m_setAt = nowSeconds;
}

MeterDateTime CMeterClock::at(double nowSeconds) const {
    // A clock asked about an earlier instant than it was set at stays where it was set;
    // the upper bound (about 3000 years) keeps absurd times from overflowing.
    const double elapsed = std::fmin(nowSeconds - m_setAt, 1e11);
    const auto whole = elapsed > 0 ? static_cast<std::int64_t>(std::floor(elapsed)) : 0;
    return fromCalendarSeconds(m_base + whole);
}

} // namespace ks::sim
