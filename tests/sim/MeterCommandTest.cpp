// The command blocks: totaliser reset (0x2306) and clock setting (0x2301).
#include "MeterFixture.h"

using namespace ks;
using namespace ks::simtest;

class MeterCommands : public MeterFixture {
protected:
    std::uint32_t totaliser(int which, double now) {
        return u32At(readBlock(0x0010, 82, now), which == 1 ? 8 : 12);
    }
    Bytes clockBytes(double now) {
        const Bytes m = readBlock(0x0010, 82, now);
        return Bytes(m.begin() + 38, m.begin() + 44);
    }
};

TEST_F(MeterCommands, TotaliserWordResetsTheNamedTotalisers) {
    struct Case {
        std::uint32_t word;
        bool first, second;
    };
    const Case cases[] = {
        {0x00010000, true, false},
        {0x00000001, false, true},
        {0x00010001, true, true},
        {0x00000000, false, false},
    };
    double now = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        now += 30; // let both totalisers count
        const std::uint32_t before1 = totaliser(1, now);
        const std::uint32_t before2 = totaliser(2, now);
        ASSERT_GT(before1, 0u);
        ASSERT_GT(before2, 0u);
        const Bytes word{static_cast<std::uint8_t>(c.word >> 24),
                         static_cast<std::uint8_t>(c.word >> 16),
                         static_cast<std::uint8_t>(c.word >> 8), static_cast<std::uint8_t>(c.word)};
        ASSERT_EQ(writeBlock(0x2306, word, now), 0);
        EXPECT_EQ(totaliser(1, now), c.first ? 0u : before1);
        EXPECT_EQ(totaliser(2, now), c.second ? 0u : before2);
        // A reset totaliser counts again from zero.
        EXPECT_GT(totaliser(1, now + 5), c.first ? 0u : before1);
        // The command is carried out, not kept.
        EXPECT_EQ(u32At(readBlock(0x2306, 2, now + 5), 0), 0u);
    }
}

TEST_F(MeterCommands, ClockRunsFromTheTimeItWasSet) {
    // 29 Feb 2024 23:59:58 as month, year, hour, day, second, minute.
    const Bytes set{2, 24, 23, 29, 58, 59};
    ASSERT_EQ(writeBlock(0x2301, set, 100.0), 0);
    EXPECT_EQ(clockBytes(100.0), set);
    EXPECT_EQ(clockBytes(101.5), (Bytes{2, 24, 23, 29, 59, 59}));
    EXPECT_EQ(clockBytes(103.0), (Bytes{3, 24, 0, 1, 1, 0})); // 1 Mar 2024 00:00:01
    EXPECT_EQ(readBlock(0x2301, 3, 103.0), set);
}

TEST_F(MeterCommands, ClockRefusesImpossibleDatesAndKeepsRunning) {
    const Bytes good{6, 25, 12, 15, 0, 30}; // 15 Jun 2025 12:30:00
    ASSERT_EQ(writeBlock(0x2301, good, 0.0), 0);
    const Bytes bad[] = {
        {0, 25, 12, 15, 0, 30},  // month 0
        {2, 25, 12, 29, 0, 30},  // 29 Feb in a common year
        {4, 25, 12, 31, 0, 30},  // 31 Apr
        {6, 25, 24, 15, 0, 30},  // hour 24
        {6, 25, 12, 15, 60, 30}, // second 60
        {6, 25, 12, 15, 0, 60},  // minute 60
        {6, 25, 12, 0, 0, 30},   // day 0
    };
    for (const Bytes& b : bad) {
        SCOPED_TRACE(testing::PrintToString(b));
        EXPECT_EQ(writeBlock(0x2301, b, 5.0), 153);
    }
    EXPECT_EQ(clockBytes(10.0), (Bytes{6, 25, 12, 15, 10, 30}));
    EXPECT_EQ(readBlock(0x2301, 3, 10.0), good);
}

TEST_F(MeterCommands, PartialClockWriteCompletesTheStoredTime) {
    ASSERT_EQ(writeBlock(0x2301, {1, 26, 8, 20, 0, 0}, 0.0), 0); // 20 Jan 2026 08:00:00
    // Only the last register: second 30, minute 45.
    ASSERT_EQ(writeBlock(0x2303, {30, 45}, 0.0), 0);
    EXPECT_EQ(clockBytes(0.0), (Bytes{1, 26, 8, 20, 30, 45}));
}
