// The bench test against calyptron-sim over a pseudo-terminal, on a clock the test moves so
// the 20 s limit passes at once.
#include "framework/FieldListBlocks.h"
#include "link/JBusLink.h"
#include "reports/TestFields.h"
#include "reports/TestLoop.h"
#include "settings/EchoTable.h"
#include "settings/KeptBlockImages.h"
#include "settings/LinkBlockExchange.h"
#include "settings/SettingsIds.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

using namespace ks;

namespace {

struct TestAgainstSim : ::testing::Test {
    void start(const std::vector<std::string>& args) {
        ASSERT_TRUE(sim.start(args)) << sim.error();
        link.serialLink().portTable().assign(9, sim.path());
        link.setFirstByteTimeout(200);
        bool connected = false;
        ASSERT_EQ(link.open(9, 5, 'N', 8, 1, false, connected), 0);
        registerTestFields(fields);
        meter.setTimeouts(200, 500);
        for (int block : testReadOrder())
            ASSERT_EQ(meter.readBlock(block), 0) << std::hex << block;
    }
    test::SimProcess sim;
    CJBusLink link;
    CFieldList fields;
    CFieldListBlocks blocks{fields};
    CKeptBlockImages kept{blocks, {echo::kBlock}};
    CLinkBlockExchange meter{link, kept, 1};
    std::int64_t now = 0;
};

// Chord 1's quality never reaches 100: after 20 s of the test's clock the echo tables are
// read once and the report takes them, the meter's tables around its transit time.
TEST_F(TestAgainstSim, QualityThatNeverReaches100EndsAfterTheLimit) {
    start({"--app", "1"});
    CTestLoop loop(meter, fields);
    loop.setClock([&] { return now += 1000; }); // every look at the clock is a second later
    const CTestLoop::Result r = loop.run();
    EXPECT_EQ(r.outcome, CTestLoop::Outcome::Done);
    EXPECT_FALSE(r.qualityReached);
    EXPECT_GT(r.lastQuality, 50);
    EXPECT_LT(r.lastQuality, 100);
    EXPECT_GT(r.elapsedMs, CTestLoop::kQualityLimitMs);
    EXPECT_EQ(r.measurements, 21);

    const Bytes& image = kept.image(echo::kBlock);
    ASSERT_EQ(image.size(), static_cast<std::size_t>(echo::kBlockSize));
    const TestReportData d = testReportDataOf(blocks, image);
    EXPECT_EQ(d.serial, (std::array<double, 3>{7, 3, 1}));
    EXPECT_EQ(d.outputPoints, (std::array<double, 4>{1160, 60500, 1160, 60500}));
    EXPECT_EQ(d.boardType, "Board B");
    const TestChannel& c1 = d.channels[0];
    EXPECT_EQ(c1.polarity, "Normal");
    EXPECT_EQ(c1.margin, 12);
    EXPECT_EQ(c1.mode, "TxRx AM1/AV1");
    // The polarity in use holds four echoes, the other two; minimum gains under the gain.
    const int counts[2][10] = {{8, 6, 5, 2}, {4, 3}};
    const double gain = fields.find(test::id::kGain1)->number();
    for (std::size_t row = 0; row < 10; ++row) {
        EXPECT_EQ(c1.normal[row].count, counts[0][row]) << row;
        EXPECT_EQ(c1.inverse[row].count, counts[1][row]) << row;
        if (c1.normal[row].count != 0) {
            EXPECT_NEAR(c1.normal[row].value, 190, 5) << row;
            EXPECT_LT(c1.normal[row].minimumGain, gain + 3) << row;
            EXPECT_GT(c1.normal[row].minimumGain, gain - 15) << row;
        }
    }
    // A one-chord meter has no second chord's echoes.
    for (const TestEscRow& row : d.channels[1].normal)
        EXPECT_EQ(row.count, 0);
}

// Quality 100 from the start, on a two-chord meter: both channels carry tables, and the
// transmit/receive modes chosen for the test are what the meter holds afterwards.
TEST_F(TestAgainstSim, TestSettingsAreTransferredAndBothChannelsReported) {
    start({"--app", "2", "--quality-after", "0"});
    fields.find(settings::factory::kTxRxMode1)->setListIndex(3);
    fields.find(settings::factory::kTxRxMode2)->setListIndex(12);
    CTestLoop loop(meter, fields);
    const CTestLoop::Result r = loop.run();
    ASSERT_EQ(r.outcome, CTestLoop::Outcome::Done);
    EXPECT_TRUE(r.qualityReached);
    EXPECT_EQ(r.measurements, 1);
    const TestReportData d = testReportDataOf(blocks, kept.image(echo::kBlock));
    EXPECT_EQ(d.channels[0].mode, "Tx AV1 Rx AV1");
    EXPECT_EQ(d.channels[1].mode, "Tx AV2 Rx AV2");
    EXPECT_EQ(d.channels[1].normal[0].count, 8);
    EXPECT_EQ(d.channels[1].inverse[1].count, 3);

    Bytes factory;
    ASSERT_EQ(link.transaction(1, 3, 0x2200, 31, factory, 2), 0);
    EXPECT_EQ(factory.at(42), 3);
    EXPECT_EQ(factory.at(58), 12);
}

} // namespace
