// What the meter reports of its model and application after blocks 0x4000 and 0x122F change.
#include "MeterFixture.h"
#include "sim/BlockMap.h"

#include <string>

using namespace ks;
using namespace ks::simtest;

namespace {

class MeterIdentity : public MeterFixture {};

TEST_F(MeterIdentity, ReportsOnlyWhatTheSpecialSettingsAllow) {
    struct Case {
        const char* name;
        std::uint8_t models9To10, models1To8, applications; // 0x4000 bytes 13, 14, 15
        std::uint8_t ownModel;                              // 0x4000 byte 6
        std::uint8_t oemModel, oemPair;                     // 0x122F bytes 16, 17
        const char* family;
        std::uint8_t twoPipes, twoChords;
    };
    const Case cases[] = {
        {"the OEM's model and application", 0, 0x05, 0x07, 0, 2, 3, "CALYPTRON M03", 1, 0},
        {"model 10 in the other byte", 0x02, 0, 0x02, 0, 9, 2, "CALYPTRON M10", 0, 1},
        {"OEM model not allowed: the meter's own", 0, 0x01, 0x01, 0, 2, 1, "CALYPTRON M01", 0, 0},
        {"nothing allowed: no model, application kept", 0, 0, 0, 0, 2, 3, "CALYPTRON", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes special = readBlock(sim::kSpecialBlock, 9);
        special[6] = c.ownModel;
        special[13] = c.models9To10;
        special[14] = c.models1To8;
        special[15] = c.applications;
        ASSERT_EQ(writeBlock(sim::kSpecialBlock, special), 0);
        Bytes oem = readBlock(sim::kOemBlock, 9);
        oem[16] = c.oemModel;
        oem[17] = c.oemPair;
        ASSERT_EQ(writeBlock(sim::kOemBlock, oem), 0);

        const Bytes m = readBlock(sim::kMeasurementBlock, 82);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.data() + 128)), c.family);
        EXPECT_EQ(m[162], c.twoPipes);
        EXPECT_EQ(m[163], c.twoChords);
        // What was written stays as written.
        EXPECT_EQ(readBlock(sim::kOemBlock, 9), oem);
        EXPECT_EQ(readBlock(sim::kSpecialBlock, 9), special);
    }
}

} // namespace
