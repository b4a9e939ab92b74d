#include "i18n/RegionalSettings.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

using namespace ks;

TEST(RegionalSettings, DerivedFromLocaleFormats) {
    struct Case {
        const char* dateFormat;
        const char* timeFormat;
        const char* amPmFormat;
        const char* am;
        const char* pm;
        int order;
        const char* dateSeparator;
        const char* timeSeparator;
        bool twentyFourHour;
        const char* expectedAm;
        const char* expectedPm;
    };
    const std::vector<Case> cases = {
        // United States: "%r" is the 12-hour format of the locale.
        {"%m/%d/%Y", "%r", "%I:%M:%S %p", "AM", "PM", 0, "/", ":", false, "AM", "PM"},
        {"%D", "%l:%M:%S %p", "", "a.m.", "p.m.", 0, "/", ":", false, "a.m.", "p.m."},
        // United Kingdom, Germany, Sweden, Finland.
        {"%d/%m/%Y", "%T", "", "", "", 1, "/", ":", true, "AM", "PM"},
        {"%d.%m.%Y", "%T", "", "", "", 1, ".", ":", true, "AM", "PM"},
        {"%Y-%m-%d", "%H:%M:%S", "", "", "", 2, "-", ":", true, "AM", "PM"},
        {"%F", "%H.%M.%S", "", "", "", 2, "-", ".", true, "AM", "PM"},
        {"%-d. %-m. %Y", "%k:%M", "", "", "", 1, ". ", ":", true, "AM", "PM"},
        {"%e/%m/%y", "%OH:%OM", "", "", "", 1, "/", ":", true, "AM", "PM"},
        // Nothing usable: the fallback.
        {"", "", "", "", "", 1, "/", ":", true, "AM", "PM"},
        {"%d %B", "%p", "", "", "", 1, "/", ":", true, "AM", "PM"},
        {"%", "%H", "", "", "", 1, "/", ":", true, "AM", "PM"},
    };
    for (const auto& c : cases) {
        const RegionalSettings s = RegionalSettings::fromLocaleFormats(c.dateFormat, c.timeFormat,
                                                                       c.amPmFormat, c.am, c.pm);
        EXPECT_EQ(s.dateOrder, c.order) << c.dateFormat;
        EXPECT_EQ(s.dateSeparator, c.dateSeparator) << c.dateFormat;
        EXPECT_EQ(s.timeSeparator, c.timeSeparator) << c.timeFormat;
        EXPECT_EQ(s.twentyFourHour, c.twentyFourHour) << c.timeFormat;
        EXPECT_EQ(s.morning, c.expectedAm) << c.timeFormat;
        EXPECT_EQ(s.afternoon, c.expectedPm) << c.timeFormat;
    }
}

TEST(RegionalSettings, ProgramDefaultLocaleGivesTheFallback) {
    const std::string saved = std::setlocale(LC_TIME, nullptr);
    ASSERT_NE(std::setlocale(LC_TIME, "C"), nullptr);
    EXPECT_EQ(RegionalSettings::fromProcessLocale(), RegionalSettings::fallback());
    std::setlocale(LC_TIME, saved.c_str());

    const RegionalSettings f = RegionalSettings::fallback();
    EXPECT_EQ(f.dateOrder, RegionalSettings::kDayMonthYear);
    EXPECT_EQ(f.dateSeparator, "/");
    EXPECT_EQ(f.timeSeparator, ":");
    EXPECT_TRUE(f.twentyFourHour);
}
