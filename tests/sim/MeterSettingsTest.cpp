#include "MeterFixture.h"
#include "sim/BlockMap.h"
#include "sim/MeterLayout.h"

namespace ks::simtest {
namespace {

namespace L = sim::layout;

using MeterSettings = MeterFixture;

// The settings block as the meter holds it, with one byte changed.
Bytes settingsWith(Bytes block, int offset, std::uint8_t value) {
    block[static_cast<std::size_t>(offset)] = value;
    return block;
}

TEST_F(MeterSettings, WrittenSettingsShowInTheMeasurementBlock) {
    Bytes settings = readBlock(sim::kSettingsBlock, 70);
    settings = settingsWith(settings, L::set::kFlowUnit, 1);
    settings = settingsWith(settings, L::set::kChords, 2);
    ASSERT_EQ(writeBlock(sim::kSettingsBlock, settings), 0);
    const Bytes m = readBlock(sim::kMeasurementBlock, 82);
    EXPECT_EQ(m[L::meas::kFlowUnit], 1);
    EXPECT_EQ(m[L::meas::kChords], 2);
    // What was written reads back as written.
    EXPECT_EQ(readBlock(sim::kSettingsBlock, 70), settings);
}

TEST_F(MeterSettings, NewJBusNumberMovesTheMeterAfterItsAnswer) {
    const Bytes settings = settingsWith(readBlock(sim::kSettingsBlock, 70), L::set::kSlave, 9);
    ASSERT_EQ(writeBlock(sim::kSettingsBlock, settings), 0); // answered as slave 5
    EXPECT_EQ(meter.slave(), 9);
    Exchange x;
    EXPECT_TRUE(ask(x.read(kSlave, sim::kIdentBlock, 25)).empty());
    Bytes data;
    ASSERT_EQ(x.check(ask(x.read(9, sim::kIdentBlock, 25)), &data), 0);
    EXPECT_EQ(data[L::ident::kSlave], 9);
}

TEST_F(MeterSettings, OutOfRangeJBusNumberLeavesTheMeterWhereItIs) {
    for (std::uint8_t wanted : {0, 248, 255}) {
        const Bytes settings =
            settingsWith(readBlock(sim::kSettingsBlock, 70), L::set::kSlave, wanted);
        ASSERT_EQ(writeBlock(sim::kSettingsBlock, settings), 0);
        EXPECT_EQ(meter.slave(), kSlave);
    }
}

} // namespace
} // namespace ks::simtest
