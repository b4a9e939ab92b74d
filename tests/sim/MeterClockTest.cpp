// Calendar arithmetic and the meter's six clock bytes.
#include "sim/MeterClock.h"

#include <gtest/gtest.h>

using namespace ks::sim;

TEST(MeterClock, CalendarSecondsRoundTrip) {
    const MeterDateTime cases[] = {
        {1970, 1, 1, 0, 0, 0},      {1980, 1, 1, 0, 0, 0},   {2000, 2, 29, 12, 0, 0},
        {2024, 12, 31, 23, 59, 59}, {2038, 1, 19, 3, 14, 8}, {1999, 3, 1, 0, 0, 1},
    };
    for (const MeterDateTime& t : cases)
        EXPECT_EQ(fromCalendarSeconds(toCalendarSeconds(t)), t);
    EXPECT_EQ(toCalendarSeconds({1970, 1, 1, 0, 0, 0}), 0);
    EXPECT_EQ(toCalendarSeconds({1980, 1, 1, 0, 0, 0}), 315532800);
    EXPECT_EQ(toCalendarSeconds({2000, 3, 1, 0, 0, 0}) - toCalendarSeconds({2000, 2, 28, 0, 0, 0}),
              2 * 86400);
}

TEST(MeterClock, SixBytesInMeterOrder) {
    struct Case {
        MeterDateTime t;
        std::uint8_t bytes[6];
    };
    const Case cases[] = {
        {{2006, 12, 25, 10, 0, 0}, {12, 6, 10, 25, 0, 0}},
        {{2024, 2, 29, 23, 59, 58}, {2, 24, 23, 29, 58, 59}},
        {{1999, 7, 4, 1, 2, 3}, {7, 99, 1, 4, 3, 2}},
    };
    for (const Case& c : cases) {
        std::uint8_t out[6];
        encodeMeterClock(c.t, out);
        EXPECT_TRUE(std::equal(out, out + 6, c.bytes));
        const auto back = decodeMeterClock(c.bytes);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, c.t);
    }
    // Two-digit years: up to 38 in this century, the rest in the last.
    const std::uint8_t y38[6] = {1, 38, 0, 1, 0, 0};
    const std::uint8_t y39[6] = {1, 39, 0, 1, 0, 0};
    EXPECT_EQ(decodeMeterClock(y38)->year, 2038);
    EXPECT_EQ(decodeMeterClock(y39)->year, 1939);
}

TEST(MeterClock, RunningClockIgnoresTimeBeforeItWasSet) {
    CMeterClock clock;
    clock.set({2025, 12, 31, 23, 59, 59}, 50.0);
    EXPECT_EQ(clock.at(51.2), (MeterDateTime{2026, 1, 1, 0, 0, 0}));
    EXPECT_EQ(clock.at(10.0), (MeterDateTime{2025, 12, 31, 23, 59, 59}));
    // Absurd times neither crash nor wrap around.
    EXPECT_GT(clock.at(1e300).year, 2025);
}
