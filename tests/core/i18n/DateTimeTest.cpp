#include "i18n/DateTime.h"
#include "TimeZoneGuard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace ks;

namespace {

RegionalSettings dayMonthYear() {
    return RegionalSettings::fallback();
}

RegionalSettings usTwelveHour() {
    RegionalSettings s;
    s.dateOrder = RegionalSettings::kMonthDayYear;
    s.twentyFourHour = false;
    return s;
}

RegionalSettings isoDots() {
    RegionalSettings s;
    s.dateOrder = RegionalSettings::kYearMonthDay;
    s.dateSeparator = "-";
    s.timeSeparator = ".";
    return s;
}

std::string describe(const CalendarTime& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

class DateTimeTest : public ::testing::Test {
protected:
    TimeZoneGuard m_tz{"UTC"};
};

} // namespace

TEST_F(DateTimeTest, BuildNormalisesYearsAndRefusesWhatIsNoRealTime) {
    struct Case {
        int y, mo, d, h, mi, s;
        bool ok;
        CalendarTime expected;
    };
    const CalendarTime fallback{};
    const std::vector<Case> cases = {
        {6, 12, 25, 10, 0, 0, true, {2006, 12, 25, 10, 0, 0}},
        {99, 7, 14, 1, 2, 3, true, {1999, 7, 14, 1, 2, 3}},
        {38, 1, 1, 0, 0, 0, true, {2038, 1, 1, 0, 0, 0}},
        {39, 1, 1, 0, 0, 0, true, {1939, 1, 1, 0, 0, 0}},
        {0, 1, 1, 0, 0, 0, true, {2000, 1, 1, 0, 0, 0}},
        {2004, 2, 29, 23, 59, 59, true, {2004, 2, 29, 23, 59, 59}},
        {2005, 2, 30, 0, 0, 0, false, fallback},
        {2100, 2, 29, 0, 0, 0, false, fallback},
        {2006, 4, 31, 0, 0, 0, false, fallback},
        {2006, 1, 1, 24, 0, 0, false, fallback},
        {2006, 1, 1, 0, 60, 0, false, fallback},
        {2006, 1, 1, 0, 0, 60, false, fallback},
        {2006, 0, 1, 0, 0, 0, false, fallback},
        {2006, 13, 1, 0, 0, 0, false, fallback},
        {2006, 1, 0, 0, 0, 0, false, fallback},
        {2006, 1, 1, -1, 0, 0, false, fallback},
        {-2000, 1, 1, 0, 0, 0, false, fallback},
        {10000, 1, 1, 0, 0, 0, false, fallback},
        {2147483647, 2147483647, 2147483647, 2147483647, 0, 0, false, fallback},
    };
    for (const auto& c : cases) {
        CDateTime v(dayMonthYear());
        v.build(2010, 5, 5, 5, 5, 5); // something else than the fallback before each case
        EXPECT_EQ(v.build(c.y, c.mo, c.d, c.h, c.mi, c.s), c.ok) << c.y << "-" << c.mo;
        EXPECT_EQ(describe(v.fields()), describe(c.expected)) << c.y << "-" << c.mo;
    }
}

TEST_F(DateTimeTest, DayNumbersFollowTheSpreadsheetCalendar) {
    struct Case {
        int y, mo, d;
        int dayNumber;
    };
    const std::vector<Case> cases = {
        {2006, 1, 1, 38718}, {2006, 3, 1, 38777}, {2000, 2, 29, 36585}, {1999, 12, 31, 36525},
        {1900, 1, 1, 1},     {1900, 2, 28, 59},   {1900, 3, 1, 61},     {1901, 1, 1, 367},
        {2091, 1, 1, 69764}, {2100, 3, 1, 73110},
    };
    for (const auto& c : cases) {
        CDateTime v(dayMonthYear());
        ASSERT_TRUE(v.build(c.y, c.mo, c.d, 0, 0, 0));
        EXPECT_EQ(v.dayNumber(), c.dayNumber) << c.y << "-" << c.mo << "-" << c.d;
    }
}

// The short formula the spreadsheet hand-over has always used: exact from 1901 to 2090.
TEST_F(DateTimeTest, DayNumberAgreesWithTheShortFormulaFrom1901To2090) {
    static const int kMonthLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    auto shortFormula = [](int year, int month, int day) {
        int a = year - 2000;
        if (a < 91)
            a += 100;
        int n = 365 * a + (a - 1) / 4 + 2;
        if (month >= 3 && a % 4 == 0)
            ++n;
        for (int m = 1; m < month; ++m)
            n += kMonthLength[m - 1];
        return n + day - 1;
    };
    CDateTime v(dayMonthYear());
    int checked = 0;
    for (int year = 1901; year <= 2090; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= 31; ++day) {
                if (!v.build(year, month, day, 0, 0, 0))
                    continue;
                ASSERT_EQ(v.dayNumber(), shortFormula(year, month, day))
                    << year << "-" << month << "-" << day;
                ++checked;
            }
    EXPECT_EQ(checked, 69397); // every day of those 190 years
}

TEST_F(DateTimeTest, DayFraction) {
    CDateTime v(dayMonthYear());
    ASSERT_TRUE(v.build(2006, 1, 1, 12, 0, 0));
    EXPECT_NEAR(v.dayFraction(), 0.5, 1e-7);
    ASSERT_TRUE(v.build(2006, 1, 1, 0, 0, 0));
    EXPECT_EQ(v.dayFraction(), 0.0);
    ASSERT_TRUE(v.build(2006, 1, 1, 6, 30, 15));
    EXPECT_DOUBLE_EQ(v.dayFraction(), 23415 * 0.000011574074);
}

TEST_F(DateTimeTest, TextsInTheRegionalFormats) {
    struct Case {
        RegionalSettings settings;
        CalendarTime time;
        const char* date;
        const char* timeText;
    };
    const std::vector<Case> cases = {
        {dayMonthYear(), {2006, 12, 25, 10, 0, 0}, "25/12/2006", "10:00:00"},
        {dayMonthYear(), {2006, 3, 4, 0, 5, 9}, "04/03/2006", "00:05:09"},
        {isoDots(), {2006, 3, 4, 23, 59, 58}, "2006-03-04", "23.59.58"},
        {usTwelveHour(), {2006, 12, 25, 10, 0, 0}, "12/25/2006", "10:00:00 AM"},
        {usTwelveHour(), {2006, 12, 25, 0, 5, 9}, "12/25/2006", "12:05:09 AM"},
        {usTwelveHour(), {2006, 12, 25, 11, 59, 59}, "12/25/2006", "11:59:59 AM"},
        {usTwelveHour(), {2006, 12, 25, 12, 0, 0}, "12/25/2006", "12:00:00 PM"},
        {usTwelveHour(), {2006, 12, 25, 15, 30, 0}, "12/25/2006", "03:30:00 PM"},
        {usTwelveHour(), {2006, 12, 25, 23, 0, 1}, "12/25/2006", "11:00:01 PM"},
    };
    for (const auto& c : cases) {
        CDateTime v(c.settings);
        const CalendarTime& t = c.time;
        ASSERT_TRUE(v.build(t.year, t.month, t.day, t.hour, t.minute, t.second));
        EXPECT_EQ(v.dateText(), c.date);
        EXPECT_EQ(v.timeText(), c.timeText);
    }
    // An unknown order writes day-month-year.
    RegionalSettings odd;
    odd.dateOrder = 7;
    CDateTime v(odd);
    ASSERT_TRUE(v.build(2006, 12, 25, 0, 0, 0));
    EXPECT_EQ(v.dateText(), "25/12/2006");
}

TEST_F(DateTimeTest, BuildFromText) {
    struct Case {
        RegionalSettings settings;
        const char* text;
        bool ok;
        CalendarTime expected;
    };
    const CalendarTime fallback{};
    const std::vector<Case> cases = {
        {dayMonthYear(), "25/12/2006 - 10:00:00", true, {2006, 12, 25, 10, 0, 0}},
        {dayMonthYear(), "01/02/0006 - 01:02:03", true, {2006, 2, 1, 1, 2, 3}},
        {isoDots(), "2006-12-25 - 10.11.12", true, {2006, 12, 25, 10, 11, 12}},
        {usTwelveHour(), "12/25/2006 - 03:00:00 PM", true, {2006, 12, 25, 15, 0, 0}},
        {usTwelveHour(), "12/25/2006 - 03:00:00 AM", true, {2006, 12, 25, 3, 0, 0}},
        {usTwelveHour(), "12/25/2006 - 12:30:00 AM", true, {2006, 12, 25, 0, 30, 0}},
        {usTwelveHour(), "12/25/2006 - 12:30:00 PM", true, {2006, 12, 25, 12, 30, 0}},
        // A 24-hour text ignores designators.
        {dayMonthYear(), "25/12/2006 - 03:00:00 PM", true, {2006, 12, 25, 3, 0, 0}},
        {dayMonthYear(), "30/02/2006 - 10:00:00", false, fallback},
        // Cut texts: the fixed positions read what is there, and missing numbers read as 0.
        {dayMonthYear(), "25/12/2006", true, {2006, 12, 25, 0, 0, 0}},
        {dayMonthYear(), "25/12/20", true, {2020, 12, 25, 0, 0, 0}},
        {dayMonthYear(), "25/", false, fallback},
        {dayMonthYear(), "", false, fallback},
        {dayMonthYear(), "garbage that is long enough to reach every field", false, fallback},
    };
    for (const auto& c : cases) {
        CDateTime v(c.settings);
        EXPECT_EQ(v.buildFromText(c.text), c.ok) << c.text;
        EXPECT_EQ(describe(v.fields()), describe(c.expected)) << c.text;
    }
}

TEST_F(DateTimeTest, TwelveHourTextsReadBackToTheSameTime) {
    CDateTime out(usTwelveHour()), in(usTwelveHour());
    for (int hour = 0; hour < 24; ++hour) {
        ASSERT_TRUE(out.build(2006, 12, 25, hour, 7, 8));
        const std::string text = out.dateText() + " - " + out.timeText();
        EXPECT_TRUE(in.buildFromText(text)) << text;
        EXPECT_EQ(in.fields(), out.fields()) << text;
    }
}

TEST_F(DateTimeTest, SecondsSince1980) {
    CDateTime v(dayMonthYear());
    EXPECT_EQ(v.secondsSince1980(), 0);
    ASSERT_TRUE(v.build(80, 1, 2, 0, 0, 1));
    EXPECT_EQ(v.secondsSince1980(), 86401);
    ASSERT_TRUE(v.build(2006, 12, 25, 10, 0, 0));
    EXPECT_EQ(v.secondsSince1980(), 851508000);
    ASSERT_TRUE(v.build(1979, 12, 31, 23, 59, 59));
    EXPECT_EQ(v.secondsSince1980(), -1);
}

TEST(DateTimeLocalZone, DaylightSavingIsTheSystemsBusiness) {
    TimeZoneGuard tz("CET-1CEST,M3.5.0,M10.5.0/3");
    CDateTime v(RegionalSettings::fallback());
    // Summer time: one hour less has elapsed than the calendar difference suggests.
    ASSERT_TRUE(v.build(1980, 7, 1, 0, 0, 0));
    EXPECT_EQ(v.secondsSince1980(), 182 * 86400 - 3600);
    // 02:30 on the last Sunday of March 2006 does not exist in this zone.
    EXPECT_FALSE(v.build(2006, 3, 26, 2, 30, 0));
    EXPECT_EQ(v.fields(), CalendarTime{});
    EXPECT_TRUE(v.build(2006, 3, 26, 3, 30, 0));
}

TEST(DateTimeNow, IsARealTimeOfThisCentury) {
    const CDateTime v = CDateTime::now(RegionalSettings::fallback());
    EXPECT_GE(v.fields().year, 2024);
    EXPECT_GT(v.secondsSince1980(), 0);
}
