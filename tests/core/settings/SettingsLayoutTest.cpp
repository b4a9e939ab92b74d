#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"
#include "sim/MeterDefaults.h"
#include "sim/RegisterImage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace ks;
namespace id = settings::id;
namespace blk = settings::block;

namespace {

void setText(CSettingsSheet& s, int fieldId, const std::string& text) {
    std::string error;
    ASSERT_EQ(setFieldFromText(*s.fields().find(fieldId), text, error), 0) << error;
}

TEST(SettingsLayout, BlockImagesHaveTheirSizes) {
    CSettingsSheet sheet;
    struct Case {
        int block, bytes;
    };
    for (const Case c : {Case{blk::kMeasurement, 164}, Case{blk::kMain, 139},
                         Case{blk::kFactory, 61}, Case{blk::kClock, 6}, Case{blk::kTotaliser, 4},
                         Case{blk::kSpecial, 17}, Case{blk::kProbes, 20}}) {
        EXPECT_EQ(sheet.blocks().blockSize(c.block), c.bytes) << std::hex << c.block;
        EXPECT_EQ(sheet.blocks().encodeBlock(c.block).size(), static_cast<std::size_t>(c.bytes));
    }
    EXPECT_EQ(sheet.blocks().registerCount(blk::kMain), 70);
}

TEST(SettingsLayout, EncodingTable) {
    CSettingsSheet sheet;
    setText(sheet, id::kDeltaT01, "-12.34");
    setText(sheet, id::kLine1, "ABC");
    setText(sheet, id::kLine2, "XY");
    const Bytes image = sheet.blocks().encodeBlock(blk::kMain);
    ASSERT_EQ(image.size(), 139u);
    EXPECT_EQ(image[16], 0xFF);
    EXPECT_EQ(image[17], 0xFB);
    EXPECT_EQ(image[18], 0x2E);
    EXPECT_EQ(std::string(image.begin() + 56, image.begin() + 72), "ABC             ");
    EXPECT_EQ(std::string(image.begin() + 72, image.begin() + 88), "XY              ");

    // A one-byte field of 128 or more reads back negative; decimals come back in place.
    Bytes in = image;
    in[49] = 200;
    in[53] = 200;
    in[96] = 2;
    ASSERT_EQ(sheet.blocks().decodeBlock(blk::kMain, in), 0);
    EXPECT_EQ(sheet.fields().find(id::kDeltaT01)->text(), "-12.34");
    EXPECT_EQ(sheet.fields().find(id::kProbeRef)->number(), -56);
    // The JBus number is read unsigned, so a slave above 127 keeps its number.
    EXPECT_EQ(sheet.fields().find(id::kSlave)->number(), 200);
    EXPECT_EQ(sheet.fields().find(id::kChords)->text(), "2");
}

// The sheet's defaults are those of a freshly installed one-chord meter, byte for byte.
TEST(SettingsLayout, DefaultsMatchAFreshMeter) {
    CSettingsSheet sheet;
    sim::CRegisterImage meter;
    sim::SimOptions options;
    options.app = 1;
    sim::loadMeterDefaults(meter, options);
    for (int block : {blk::kMain, blk::kFactory, blk::kSpecial}) {
        const int count = sheet.blocks().registerCount(block);
        Bytes fromMeter = meter.readRegisters(block, count);
        Bytes fromSheet = sheet.blocks().encodeBlock(block);
        fromSheet.resize(fromMeter.size(), 0);
        if (block == blk::kSpecial) {
            // The meter allows its own model and application; the defaults allow none.
            fromMeter[14] = fromMeter[15] = 0;
        }
        EXPECT_EQ(fromSheet, fromMeter) << std::hex << block;
    }
}

TEST(SettingsLayout, EveryBlockFieldHasAUniqueKey) {
    CSettingsSheet sheet;
    std::set<std::string> keys;
    for (CField& f : sheet.fields()) {
        const std::string key = fieldKey(f);
        if (key.empty() || f.block() == 0xFF00)
            continue;
        EXPECT_TRUE(keys.insert(key).second) << key;
        EXPECT_EQ(findByKey(sheet.fields(), key), &f) << key;
    }
    EXPECT_EQ(fieldKey(*sheet.fields().find(id::kFlowUnit)), "1100:4");
    EXPECT_EQ(fieldKey(*sheet.fields().find(settings::special::kMonochord + 10)), "4000:15.1");
}

TEST(SettingsLayout, TypedValuesAreCheckedNotClamped) {
    CSettingsSheet sheet;
    struct Case {
        int field;
        const char* text;
        bool accepted;
        const char* stored; // shown text after a success
    };
    const Case cases[] = {
        {id::kDiameter1, "3300", true, "3300.0"},
        {id::kDiameter1, "3300.1", false, nullptr},
        {id::kDiameter1, "9", false, nullptr},
        {id::kKh, "0.5", true, "0.500"},
        {id::kFlowUnit, "m3/s", true, "m3/s"},
        {id::kFlowUnit, "2", true, "l/h"},
        {id::kFlowUnit, "furlongs", false, nullptr},
        {id::kFlowUnit, "6", false, nullptr},
        {id::kLine2, "0123456789abcdef", true, "0123456789abcdef"},
        {id::kLine2, "0123456789abcdefg", false, nullptr},
    };
    for (const Case& c : cases) {
        CField& f = *sheet.fields().find(c.field);
        const std::string before = f.text();
        std::string error;
        const int r = setFieldFromText(f, c.text, error);
        EXPECT_EQ(r == 0, c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_EQ(f.shownText(), c.stored) << c.text;
        } else {
            EXPECT_EQ(f.text(), before) << c.text;
            EXPECT_FALSE(error.empty());
        }
    }
    std::string error;
    setFieldFromText(*sheet.fields().find(id::kDiameter1), "5000", error);
    EXPECT_NE(error.find("10.0 .. 3300.0"), std::string::npos) << error;
}

} // namespace
