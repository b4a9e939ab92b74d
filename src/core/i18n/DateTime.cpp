#include "i18n/DateTime.h"

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace ks {

namespace {

// The seconds since the epoch of a local calendar time, when it exists exactly as given.
bool toLocalSeconds(const CalendarTime& t, std::time_t& seconds) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    errno = 0;
    const std::time_t s = std::mktime(&tm);
    if (s == static_cast<std::time_t>(-1) && errno != 0)
        return false;
    if (tm.tm_year != t.year - 1900 || tm.tm_mon != t.month - 1 || tm.tm_mday != t.day ||
        tm.tm_hour != t.hour || tm.tm_min != t.minute || tm.tm_sec != t.second)
        return false;
    seconds = s;
    return true;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// A number written in the characters [pos, pos + len) of the text, read the way atoi reads
// it: leading blanks, a sign, then digits up to the first other character; 0 when there is
// none or the text is shorter.
int numberAt(std::string_view text, std::size_t pos, std::size_t len) {
    if (pos >= text.size())
        return 0;
    const std::string_view part = text.substr(pos, len);
    std::size_t i = 0;
    while (i < part.size() && (part[i] == ' ' || part[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < part.size() && (part[i] == '+' || part[i] == '-'))
        negative = part[i++] == '-';
    int value = 0;
    for (; i < part.size() && part[i] >= '0' && part[i] <= '9'; ++i)
        value = value * 10 + (part[i] - '0');
    return negative ? -value : value;
}

// "%0*d" and "%*d" of one number.
std::string padded(int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

std::string spaced(int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%*d", width, value);
    return buf;
}

bool endsWith(std::string_view text, std::string_view tail) {
    return !tail.empty() && text.size() >= tail.size() &&
           text.substr(text.size() - tail.size()) == tail;
}

} // namespace

CDateTime::CDateTime() : CDateTime(RegionalSettings::fromProcessLocale()) {}

CDateTime::CDateTime(RegionalSettings settings) : m_settings(std::move(settings)) {}

CDateTime CDateTime::now(RegionalSettings settings) {
    CDateTime value(std::move(settings));
    const std::time_t s = std::time(nullptr);
    std::tm tm{};
    if (localtime_r(&s, &tm) != nullptr)
        value.build(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return value;
}

bool CDateTime::build(int year, int month, int day, int hour, int minute, int second) {
    if (year <= 38)
        year += 2000;
    else if (year < 1900)
        year += 1900;
    const CalendarTime wanted{year, month, day, hour, minute, second};
    std::time_t seconds = 0;
    // The texts hold four-digit years; anything outside them is no real meter time either.
    if (year < kFirstYear || year > kLastYear || !toLocalSeconds(wanted, seconds)) {
        m_time = CalendarTime{};
        return false;
    }
    m_time = wanted;
    return true;
}

bool CDateTime::buildFromText(std::string_view text) {
    int year = 0, month = 0, day = 0;
    switch (m_settings.dateOrder) {
    case RegionalSettings::kMonthDayYear:
        month = numberAt(text, 0, 2);
        day = numberAt(text, 3, 2);
        year = numberAt(text, 6, 4);
        break;
    case RegionalSettings::kYearMonthDay:
        year = numberAt(text, 0, 4);
        month = numberAt(text, 5, 2);
        day = numberAt(text, 8, 2);
        break;
    default:
        day = numberAt(text, 0, 2);
        month = numberAt(text, 3, 2);
        year = numberAt(text, 6, 4);
        break;
    }
    int hour = numberAt(text, 13, 2);
    const int minute = numberAt(text, 16, 2);
    const int second = numberAt(text, 19, 2);
    if (!m_settings.twentyFourHour) {
        // The time text writes midnight as 12 with the morning designator and noon as 12
        // with the afternoon one, so 12 maps to 0 before the afternoon adds its 12 hours.
        const bool afternoon = endsWith(text, m_settings.afternoon);
        if (hour == 12)
            hour = 0;
        if (afternoon)
            hour += 12;
    }
    return build(year, month, day, hour, minute, second);
}

std::string CDateTime::dateText() const {
    const std::string& s = m_settings.dateSeparator;
    const CalendarTime& t = m_time;
    switch (m_settings.dateOrder) {
    case RegionalSettings::kMonthDayYear:
        return padded(t.month, 2) + s + padded(t.day, 2) + s + spaced(t.year, 4);
    case RegionalSettings::kYearMonthDay:
        return spaced(t.year, 4) + s + padded(t.month, 2) + s + padded(t.day, 2);
    default:
        return padded(t.day, 2) + s + padded(t.month, 2) + s + spaced(t.year, 4);
    }
}

std::string CDateTime::timeText() const {
    const std::string& s = m_settings.timeSeparator;
    const CalendarTime& t = m_time;
    if (m_settings.twentyFourHour)
        return padded(t.hour, 2) + s + padded(t.minute, 2) + s + padded(t.second, 2);
    const bool afternoon = t.hour > 11;
    int hour = afternoon ? t.hour - 12 : t.hour;
    if (hour == 0)
        hour = 12;
    return padded(hour, 2) + s + padded(t.minute, 2) + s + padded(t.second, 2) + " " +
           (afternoon ? m_settings.afternoon : m_settings.morning);
}

std::int64_t CDateTime::secondsSince1980() const {
    std::time_t value = 0, origin = 0;
    if (!toLocalSeconds(m_time, value) || !toLocalSeconds(CalendarTime{}, origin))
        return 0;
    return static_cast<std::int64_t>(value) - static_cast<std::int64_t>(origin);
}

int CDateTime::dayNumber() const {
    // Day 0 is 1899-12-31; from March 1900 on the spreadsheet's phantom leap day adds one.
    const std::int64_t days =
        daysFromCivil(m_time.year, m_time.month, m_time.day) - daysFromCivil(1899, 12, 31);
    const bool afterPhantomDay = m_time.year > 1900 || (m_time.year == 1900 && m_time.month >= 3);
    return static_cast<int>(days + (afterPhantomDay ? 1 : 0));
}

double CDateTime::dayFraction() const {
    return (m_time.hour * 3600 + m_time.minute * 60 + m_time.second) * 0.000011574074;
}

} // namespace ks
