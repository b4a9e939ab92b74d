// The meter's echo tables follow its gains and faults; chord 1's quality reaches 100 after the
// set time; silent blocks go unanswered.
#include "MeterFixture.h"

#include <cmath>
#include <cstring>

using namespace ks;
using namespace ks::simtest;

namespace {

constexpr std::size_t kGain1 = 52, kQuality1 = 54, kGain2 = 112, kQuality2 = 110;

struct Row {
    int count, gain;
    float value;
};

Row rowAt(const Bytes& echo, std::size_t at) {
    std::uint32_t bits = 0;
    for (int k = 0; k < 4; ++k)
        bits = bits << 8 | echo.at(at + 2 + static_cast<std::size_t>(k));
    float v = 0;
    std::memcpy(&v, &bits, 4);
    return {echo.at(at), echo.at(at + 1), v};
}

int rowsOf(const Bytes& echo, std::size_t table) {
    int n = 0;
    while (n < 10 && echo.at(table + static_cast<std::size_t>(n) * 6) != 0)
        ++n;
    return n;
}

sim::SimOptions options(int app, double qualityAfter = -1, std::uint32_t faults = 0) {
    sim::SimOptions o = withSlave(5, app);
    o.qualityAfterSeconds = qualityAfter;
    o.faults = faults;
    return o;
}

struct Echo : MeterFixture {
    explicit Echo(const sim::SimOptions& o) : MeterFixture(o) {}
};

struct TwoChords : Echo {
    TwoChords() : Echo(options(2)) {}
};

// Over five minutes the rows' minimum gains move with each chord's gain and their times stay
// around its transit time; the polarity in use holds the longer table.
TEST_F(TwoChords, TablesFollowTheGains) {
    int lowest = 1000, highest = -1000;
    for (double t = 1; t < 300; t += 7) {
        SCOPED_TRACE(t);
        const Bytes m = readBlock(0x0010, 82, t);
        const Bytes e = readBlock(0x0B00, 124, t);
        for (int k = 0; k < 2; ++k) {
            const std::size_t base = k == 0 ? 0 : 124;
            const int gain = m[k == 0 ? kGain1 : kGain2];
            EXPECT_EQ(rowsOf(e, base + 60), 4) << "Normal, in use";
            EXPECT_EQ(rowsOf(e, base), 2) << "Inverse";
            for (std::size_t r = 0; r < 4; ++r) {
                const Row row = rowAt(e, base + 60 + 6 * r);
                EXPECT_LE(row.gain, gain);
                EXPECT_GE(row.gain, gain - 11);
                EXPECT_NEAR(row.value, 190, 5);
            }
            lowest = std::min(lowest, rowAt(e, base + 60).gain);
            highest = std::max(highest, rowAt(e, base + 60).gain);
            EXPECT_EQ(e[base + 120], 1) << "polarity";
            EXPECT_EQ(e[base + 122], 12) << "margin";
        }
    }
    EXPECT_GE(highest - lowest, 2) << "the tables never moved";
}

TEST_F(TwoChords, PolarityAndFaultsShapeTheTables) {
    // Chord 2 switched to "Inverse": its Inverse table becomes the longer one.
    Bytes settings = readBlock(0x1100, 70);
    settings[99] = 0;
    ASSERT_EQ(writeBlock(0x1100, settings), 0);
    Bytes e = readBlock(0x0B00, 124, 2);
    EXPECT_EQ(rowsOf(e, 124 + 60), 2);
    EXPECT_EQ(rowsOf(e, 124), 4);
    EXPECT_EQ(e[124 + 120], 0);
}

struct LostEcho : Echo {
    LostEcho() : Echo(options(2, -1, 0x2)) {}
};

TEST_F(LostEcho, ChordInFaultHasEmptyTables) {
    const Bytes e = readBlock(0x0B00, 124, 3);
    EXPECT_EQ(rowsOf(e, 0), 0);
    EXPECT_EQ(rowsOf(e, 60), 0);
    EXPECT_EQ(rowsOf(e, 124 + 60), 4);
}

struct OneChord : Echo {
    OneChord() : Echo(options(1, 5)) {}
};

TEST_F(OneChord, QualityReaches100AfterTheSetTimeAndChord2HasNoEcho) {
    // The first request starts the count.
    EXPECT_LT(readBlock(0x0010, 82, 10)[kQuality1], 100);
    EXPECT_LT(readBlock(0x0010, 82, 14.9)[kQuality1], 100);
    for (double t : {15.0, 16.0, 100.0}) {
        const Bytes m = readBlock(0x0010, 82, t);
        EXPECT_EQ(m[kQuality1], 100) << t;
        EXPECT_EQ(m[kQuality2], 0) << t;
    }
    const Bytes e = readBlock(0x0B00, 124, 101);
    EXPECT_EQ(rowsOf(e, 124), 0);
    EXPECT_EQ(rowsOf(e, 124 + 60), 0);
}

struct Silent : Echo {
    static sim::SimOptions silent() {
        sim::SimOptions o = options(1);
        o.silentBlocks = {0x0010};
        return o;
    }
    Silent() : Echo(silent()) {}
};

TEST_F(Silent, ReadsOfASilentBlockGoUnanswered) {
    Exchange x;
    EXPECT_TRUE(ask(x.read(kSlave, 0x0010, 82)).empty());
    EXPECT_TRUE(ask(x.read(kSlave, 0x0020, 2)).empty()) << "anywhere inside the block";
    EXPECT_EQ(readBlock(0xFF00, 25).size(), 50u);
}

} // namespace
