#pragma once

#include "i18n/RegionalSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ks {

// The six fields of a local calendar time.
struct CalendarTime {
    int year = 1980;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const CalendarTime&) const = default;
};

// A local calendar time (system time zone, daylight saving decided by the system) that falls
// back to 1980-01-01 00:00:00 whenever it is given something that is not a real time. It reads
// and writes dates and times in the regional formats, and converts to the counts the
// recording and the spreadsheet hand-over use.
class CDateTime {
public:
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 9999;

    // The fallback time, with the regional settings of the process locale.
    CDateTime();
    explicit CDateTime(RegionalSettings settings);

    // The current local time.
    static CDateTime now(RegionalSettings settings = RegionalSettings::fromProcessLocale());

    // Years up to 38 mean 20xx, other years below 1900 mean 19xx. Returns false (and holds the
    // fallback) when a field is out of its range, e.g. 30 February or hour 24, when the time
    // does not exist locally (skipped by a daylight-saving change), or when the year falls
    // outside kFirstYear..kLastYear.
    bool build(int year, int month, int day, int hour, int minute, int second);

    // Reads a "date - time" text at fixed positions: the date in the regional short order
    // with a four-digit year in characters 0 to 9, hours at 13, minutes at 16, seconds at 19,
    // and with the 12-hour clock the morning or afternoon designator at the end.
    bool buildFromText(std::string_view text);

    std::string dateText() const;
    std::string timeText() const;

    // Seconds elapsed since 1980-01-01 00:00:00 local time.
    std::int64_t secondsSince1980() const;
    // The spreadsheet's serial day: 1900-01-01 is day 1, and 29 February 1900, which never
    // existed, is counted as the spreadsheet does.
    int dayNumber() const;
    // The time of day as a fraction of a day.
    double dayFraction() const;

    const CalendarTime& fields() const { return m_time; }
    const RegionalSettings& settings() const { return m_settings; }
    void setSettings(RegionalSettings settings) { m_settings = std::move(settings); }

private:
    RegionalSettings m_settings;
    CalendarTime m_time;
};

} // namespace ks
