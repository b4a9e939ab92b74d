// Block extent, and a block spread over its fields and gathered back.
#include "framework/BlockCodec.h"
#include "framework/BlockLayout.h"
#include "framework/BlockValues.h"
#include "framework/Identification.h"

#include <gtest/gtest.h>

using namespace ks;

namespace {

constexpr int kEdit = 0x0002;
constexpr int kList = 0x0001;
constexpr int kBlock = 0x1100;

BlockField field(int type, int offset, const char* format = "%.f", double maximum = 0,
                 int block = kBlock, int kind = kEdit) {
    return {kind, type, offset, block, format, 0, maximum};
}

TEST(BlockLayout, SizeRegistersAndFirstWord) {
    struct Case {
        const char* name;
        std::vector<BlockField> fields;
        int size, registers, firstWord;
    };
    const std::vector<Case> cases = {
        {"20-character text at offset 30 ends the block",
         {field(0x0100, 1), field(0x0500, 30, "%s", 20), field(0x4000, 6)},
         50,
         25,
         0},
        {"odd size rounds up to a whole register", {field(0x0300, 4)}, 7, 4, 1},
        {"first word from the smallest offset", {field(0x0200, 5), field(0x0200, 9)}, 11, 6, 2},
        {"offset 1 starts at word 0", {field(0x0100, 1)}, 2, 1, 0},
        {"bits count one byte", {field(0x0F00, 7), field(0x90F0, 3)}, 8, 4, 1},
        {"0x1000 takes its three bytes", {field(0x1000, 10)}, 13, 7, 4},
        {"0x2000 takes its two bytes", {field(0x2000, 10)}, 12, 6, 4},
        {"0xD000 takes thirteen", {field(0xD000, 0, "%s")}, 13, 7, 0},
        {"fields elsewhere do not count",
         {field(0x0200, 0), field(0x0400, 40, "%f", 0, 0x2200), // other block
          field(0x0400, -1),                                    // not in a block
          field(0x0400, 60, "%f", 0, kBlock, 0x0040),           // a kind without a value
          field(0x0100, 20, "%c", 0, kBlock, kList)},
         21,
         11,
         0},
        {"no field", {}, 0, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(blockSize(k.fields, kBlock), k.size);
        EXPECT_EQ(registerCount(k.fields, kBlock), k.registers);
        EXPECT_EQ(firstWord(k.fields, kBlock), k.firstWord);
        EXPECT_EQ(firstAddress(k.fields, kBlock), kBlock + k.firstWord);
    }
    EXPECT_EQ(registerCount(identificationFields(), Identification::kBlockCode),
              Identification::kRegisterCount);
}

TEST(BlockCodec, SpreadsAndGathersInRegistrationOrder) {
    CBlockValues values;
    const std::size_t flow = values.add(field(0x0200, 0, "%0.1f"));
    const std::size_t name = values.add(field(0x0500, 2, "%s", 4));
    const std::size_t alarm = values.add(field(0x0800, 6));
    const std::size_t relay = values.add(field(0x0F00, 6));
    const std::size_t unit = values.add(field(0x0700, 7));
    const std::size_t mode = values.add(field(0x0600, 7));
    const std::size_t other = values.add(field(0x0200, 0, "%.f", 0, 0x2200));
    const Bytes block = {0x00, 0x7D, 'p', 'i', ' ', ' ', 0x81, 0x3A};
    ASSERT_EQ(values.decodeBlock(kBlock, block), 0);
    EXPECT_DOUBLE_EQ(values.value(flow).number, 12.5);
    EXPECT_EQ(values.value(name).text, "pi  ");
    EXPECT_EQ(values.value(alarm).number, 1);
    EXPECT_EQ(values.value(relay).number, 128);
    EXPECT_EQ(values.value(unit).number, 0xA);
    EXPECT_EQ(values.value(mode).number, 3);
    EXPECT_EQ(values.value(other), FieldValue{}) << "a field of another block is left alone";
    EXPECT_EQ(values.encodeBlock(kBlock), block);

    values.setValue(name, FieldValue::ofText("pump-7"));
    values.setValue(relay, FieldValue::ofNumber(0));
    values.setValue(unit, FieldValue::ofNumber(2));
    EXPECT_EQ(values.encodeBlock(kBlock), (Bytes{0x00, 0x7D, 'p', 'u', 'm', 'p', 0x01, 0x32}));
}

TEST(BlockCodec, ShortBlockDecodesNothing) {
    CBlockValues values;
    const std::size_t first = values.add(field(0x0200, 0), FieldValue::ofNumber(7));
    const std::size_t text = values.add(field(0x0500, 30, "%s", 20), FieldValue::ofText("old"));
    EXPECT_EQ(values.decodeBlock(kBlock, Bytes(49, 0x41)), -1);
    EXPECT_EQ(values.value(first).number, 7);
    EXPECT_EQ(values.value(text).text, "old");

    std::vector<DecodedField> out = {{0, FieldValue::ofNumber(1)}};
    EXPECT_EQ(decodeBlock(values.fields(), kBlock, Bytes(49, 0x41), out, {}), -1);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(decodeBlock(values.fields(), kBlock, Bytes(50, 0x41), out, {}), 0);
    EXPECT_EQ(out.size(), 2u);
}

TEST(BlockCodec, LaterFieldsOverwriteEarlierOnesAndTheImageIsZeroedFirst) {
    CBlockValues values;
    values.add(field(0x0200, 0), FieldValue::ofNumber(0x1234));
    values.add(field(0x0100, 1), FieldValue::ofNumber(0x56));
    values.add(field(0x0100, 5), FieldValue::ofNumber(1));
    EXPECT_EQ(values.encodeBlock(kBlock), (Bytes{0x12, 0x56, 0, 0, 0, 1}));
    EXPECT_TRUE(values.encodeBlock(0x4000).empty());
}

TEST(Identification, DecodedThroughTheFieldCoding) {
    Bytes block(50, ' ');
    block[0] = 0;
    block[1] = 17;
    block[2] = 0x12;
    block[3] = 0x34;
    block[4] = 5;
    block[5] = 6;
    block[6] = 0;
    block[7] = 0;
    block[8] = 0;
    block[9] = 42;
    const std::string firmware = "V2-CKS-1.4";
    std::copy(firmware.begin(), firmware.end(), block.begin() + 10);
    block[20] = 0; // a zero ends the version text
    const std::string description = "D\xE9"
                                    "bitm\xE8tre";
    std::copy(description.begin(), description.end(), block.begin() + 30);
    Identification id;
    ASSERT_TRUE(decodeIdentification(block, id));
    EXPECT_EQ(id.slave, 17);
    EXPECT_EQ(id.deviceCode, 0x1234);
    EXPECT_EQ(id.serialNumber(), "05/06/00042");
    EXPECT_EQ(id.firmware, "V2-CKS-1.4");
    EXPECT_EQ(id.description, "D\xC3\xA9"
                              "bitm\xC3\xA8tre");
    block.pop_back();
    EXPECT_FALSE(decodeIdentification(block, id));
}

} // namespace
