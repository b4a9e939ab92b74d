#pragma once

#include <string>
#include <string_view>

namespace ks {

// The user's regional date and time conventions, as far as the date-time value needs them.
struct RegionalSettings {
    static constexpr int kMonthDayYear = 0;
    static constexpr int kDayMonthYear = 1;
    static constexpr int kYearMonthDay = 2;

    // Short date order; any value other than the three above reads and writes as day-month-year.
    int dateOrder = kDayMonthYear;
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    bool twentyFourHour = true;
    std::string morning = "AM";
    std::string afternoon = "PM";

    bool operator==(const RegionalSettings&) const = default;

    // Day-month-year, "/", ":" and the 24-hour clock: what we use when the locale tells nothing.
    static RegionalSettings fallback() { return {}; }

    // Derives the settings from strftime-style formats (the locale's short date format, its
    // time format, its 12-hour time format used for "%r", and the two designators). A date or
    // time format that cannot be understood leaves that half at the fallback.
    static RegionalSettings fromLocaleFormats(std::string_view dateFormat,
                                              std::string_view timeFormat,
                                              std::string_view amPmTimeFormat,
                                              std::string_view morning, std::string_view afternoon);

    // The LC_TIME category of the process locale. The "C"/"POSIX" locale is a program default
    // rather than a user choice, so it yields the fallback.
    static RegionalSettings fromProcessLocale();
};

} // namespace ks
