#include "framework/FieldListBlocks.h"

#include "framework/IdentificationFields.h"
#include "framework/ValueType.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace ks;

namespace {

constexpr int kBlock = 0x1100;
constexpr int kOther = 0x2200;
constexpr int kYesNoList = 39;    // "Oui", "Non"
constexpr int kMaterialList = 34; // 14 pipe materials
constexpr int kDiameterLabel = 102;

Bytes bytesOf(std::initializer_list<int> values) {
    Bytes b;
    for (int v : values)
        b.push_back(static_cast<std::uint8_t>(v));
    return b;
}

// A small settings block with one field of each path the coding takes.
struct SettingsFields {
    CFieldList list;
    CFieldListBlocks blocks{list};

    SettingsFields() {
        list.add({.id = 1000, .kind = FieldKind::kHeading}); // layout only
        list.add({.id = 1010,
                  .label = kDiameterLabel,
                  .kind = FieldKind::kEdit,
                  .value = "0.0",
                  .minimum = -500,
                  .maximum = 3000,
                  .format = "%0.1f",
                  .type = 0x0200,
                  .offset = 0,
                  .block = kBlock});
        list.add({.id = 1020,
                  .list = kMaterialList,
                  .kind = FieldKind::kList,
                  .value = "0",
                  .type = 0x0100,
                  .offset = 2,
                  .block = kBlock});
        list.add({.id = 1030,
                  .kind = FieldKind::kEdit,
                  .maximum = 6,
                  .format = "%s",
                  .type = 0x0500,
                  .offset = 3,
                  .block = kBlock});
        list.add({.id = 1040,
                  .list = kYesNoList,
                  .kind = FieldKind::kList,
                  .value = "0",
                  .type = 0x0A00,
                  .offset = 9,
                  .block = kBlock}); // bit 2
        list.add({.id = 1050,
                  .kind = FieldKind::kEdit,
                  .maximum = 15,
                  .format = "%0.f",
                  .type = 0x0600,
                  .offset = 9,
                  .block = kBlock}); // high nibble
        list.add({.id = 1060,
                  .kind = FieldKind::kEdit,
                  .maximum = 65535,
                  .format = "%04h",
                  .type = 0x3000,
                  .offset = 10,
                  .block = kBlock});
        list.add({.id = 1070,
                  .kind = FieldKind::kDisplay,
                  .format = "%0.2f",
                  .type = 0x0400,
                  .offset = 12,
                  .block = kBlock});
        list.add({.id = 1080,
                  .kind = FieldKind::kEdit,
                  .value = "9",
                  .format = "%0.f",
                  .type = 0x0100,
                  .offset = 16,
                  .block = kOther}); // another block
        list.add({.id = 1090,
                  .kind = FieldKind::kGroup,
                  .type = 0x0100,
                  .offset = 17,
                  .block = kBlock}); // no value control: not in the block
    }
    std::string text(int id) { return list.find(id)->text(); }
};

// -12.5, material 3, "AB" + blanks, bit 2 and high nibble 5, 0x1234, 1.5f.
const Bytes kImage = bytesOf(
    {0xFF, 0x83, 0x03, 'A', 'B', ' ', ' ', ' ', ' ', 0x54, 0x12, 0x34, 0x3F, 0xC0, 0x00, 0x00});

TEST(FieldListBlocks, DecodesIntoTheFieldsAndEncodesTheSameBytes) {
    SettingsFields f;
    EXPECT_EQ(f.blocks.blockSize(kBlock), 16);
    EXPECT_EQ(f.blocks.registerCount(kBlock), 8);
    ASSERT_EQ(f.blocks.decodeBlock(kBlock, kImage), 0);
    EXPECT_EQ(f.text(1010), "-12.5");
    EXPECT_EQ(f.text(1020), "3");
    EXPECT_EQ(f.text(1030), "AB    ");
    EXPECT_EQ(f.text(1040), "1") << "a set bit is entry 1 of a yes/no list";
    EXPECT_EQ(f.text(1050), "5");
    EXPECT_EQ(f.text(1060), "0x1234");
    EXPECT_EQ(f.text(1070), "1.50");
    EXPECT_EQ(f.text(1080), "9") << "a field of another block is left alone";
    EXPECT_EQ(f.blocks.encodeBlock(kBlock), kImage);
}

TEST(FieldListBlocks, EncodesWhatTheFieldsShow) {
    SettingsFields f;
    f.list.find(1010)->setText("27.9");
    f.list.find(1020)->setListIndex(13);
    f.list.find(1030)->setText("XY");
    f.list.find(1040)->setListIndex(0);
    f.list.find(1050)->setText("15");
    f.list.find(1060)->setText("0x00FF");
    f.list.find(1070)->setText("-2.25");
    const Bytes expected = bytesOf(
        {0x01, 0x17, 0x0D, 'X', 'Y', ' ', ' ', ' ', ' ', 0xF0, 0x00, 0xFF, 0xC0, 0x10, 0x00, 0x00});
    EXPECT_EQ(f.blocks.encodeBlock(kBlock), expected);
}

TEST(FieldListBlocks, ShortBlockChangesNothing) {
    SettingsFields f;
    f.list.find(1010)->setText("1.0");
    Bytes shortImage(kImage.begin(), kImage.end() - 1);
    EXPECT_EQ(f.blocks.decodeBlock(kBlock, shortImage), -1);
    EXPECT_EQ(f.text(1010), "1.0");
    EXPECT_EQ(f.text(1030), "");
    EXPECT_EQ(f.blocks.decodeBlock(kBlock, Bytes{}), -1);
}

TEST(FieldListBlocks, ValuesAreHeldToTheFieldLimitsBothWays) {
    SettingsFields f;
    // 0x7FFF = 3276.7 read: above the maximum of 3000.
    Bytes image = kImage;
    image[0] = 0x7F;
    image[1] = 0xFF;
    ASSERT_EQ(f.blocks.decodeBlock(kBlock, image), 0);
    EXPECT_EQ(f.text(1010), "3000.0");
    // A text beyond the limits (a file or a rule put it there) is written as the limit.
    f.list.find(1010)->setText("-9999.0");
    const Bytes out = f.blocks.encodeBlock(kBlock);
    EXPECT_EQ(out[0], 0xEC); // -5000 = -500.0
    EXPECT_EQ(out[1], 0x78);
}

TEST(FieldListBlocks, LongTextIsCutToItsFieldAndStaysInside) {
    SettingsFields f;
    f.list.find(1030)->setText("ABCDEFGHIJKLMNOP");
    f.list.find(1040)->setListIndex(1);
    const Bytes out = f.blocks.encodeBlock(kBlock);
    ASSERT_EQ(out.size(), 16u);
    EXPECT_EQ(std::string(out.begin() + 3, out.begin() + 9), "ABCDEF");
    EXPECT_EQ(out[9], 0x04) << "the byte after the text keeps its own value";
}

TEST(FieldListBlocks, ListLimitsChooseEntriesAndDoNotClampTheIndex) {
    CFieldList list;
    // Drops two entries and keeps three: indexes 2, 3 and 4.
    list.add({.id = 10,
              .list = kMaterialList,
              .kind = FieldKind::kList,
              .value = "4",
              .minimum = 2,
              .maximum = 3,
              .type = 0x0100,
              .offset = 0,
              .block = kBlock});
    CFieldListBlocks blocks(list);
    EXPECT_EQ(blocks.encodeBlock(kBlock), bytesOf({4}));
    ASSERT_EQ(blocks.decodeBlock(kBlock, bytesOf({3})), 0);
    EXPECT_EQ(list.find(10)->listIndex(), 3);
}

TEST(FieldListBlocks, ExtentOfABlockFollowsItsFields) {
    CFieldList list;
    list.add({.id = 10,
              .kind = FieldKind::kDisplay,
              .format = "%0.f",
              .type = 0x0100,
              .offset = 7,
              .block = kBlock});
    list.add({.id = 20,
              .kind = FieldKind::kDisplay,
              .maximum = 20,
              .format = "%s",
              .type = 0x0500,
              .offset = 30,
              .block = kBlock});
    list.add({.id = 30,
              .kind = FieldKind::kDisplay,
              .format = "%0.f",
              .type = 0x0200,
              .offset = -1,
              .block = kBlock});
    CFieldListBlocks blocks(list);
    EXPECT_EQ(blocks.blockSize(kBlock), 50);
    EXPECT_EQ(blocks.registerCount(kBlock), 25);
    EXPECT_EQ(blocks.firstWord(kBlock), 3);
    EXPECT_EQ(blocks.firstAddress(kBlock), kBlock + 3);
    EXPECT_EQ(blocks.blockSize(kOther), 0);
}

// One field of each value type, read from bytes and written back.
struct TypeCase {
    const char* what;
    int type;
    const char* format;
    Bytes bytes;
    const char* shown;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << c.what;
}

class FieldValueType : public testing::TestWithParam<TypeCase> {};

TEST_P(FieldValueType, ReadsAndWritesBack) {
    const TypeCase& c = GetParam();
    CFieldList list;
    list.add({.id = 10,
              .kind = FieldKind::kDisplay | FieldKind::kNoClamp,
              .maximum = 4,
              .format = c.format,
              .type = c.type,
              .offset = 1,
              .block = kBlock});
    CFieldListBlocks blocks(list);
    Bytes image = c.bytes;
    image.insert(image.begin(), 0x00);
    ASSERT_EQ(blocks.decodeBlock(kBlock, image), 0);
    EXPECT_EQ(list.find(10)->text(), c.shown);
    EXPECT_EQ(blocks.encodeBlock(kBlock), image);
}

const TypeCase kTypeCases[] = {
    {"signed 8", 0x0100, "%0.f", bytesOf({0xFE}), "-2"},
    {"signed 16", 0x0200, "%0.1f", bytesOf({0xFF, 0xFE}), "-0.2"},
    {"signed 24", 0x0300, "%0.2f", bytesOf({0x01, 0x00, 0x00}), "655.36"},
    {"single", 0x0400, "%0.3f", bytesOf({0x40, 0x48, 0x00, 0x00}), "3.125"},
    {"text", 0x0500, "%s", bytesOf({'K', 'S', 'N', ' '}), "KSN "},
    {"low nibble", 0x0700, "%0.f", bytesOf({0x0C}), "12"},
    {"bit 3", 0x0B00, "%0.f", bytesOf({0x08}), "8"},
    {"twenty-sixths", 0x2000, "%0.2f", bytesOf({0x00, 0x34}), "2.00"},
    {"unsigned 16", 0x3000, "%0.f", bytesOf({0xFF, 0xFE}), "65534"},
    {"unsigned 32", 0x4000, "%0.f", bytesOf({0x00, 0x01, 0x00, 0x00}), "65536"},
    {"signed 32", 0x8000, "%0.1f", bytesOf({0xFF, 0xFF, 0xFF, 0x9C}), "-10.0"},
    {"masked bits", 0x9006, "%0.f", bytesOf({0x04}), "2"},
    {"unsigned 8", 0xA000, "%0.f", bytesOf({0xC8}), "200"},
    {"double", 0xB000, "%0.1f", bytesOf({0x40, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}), "3.5"},
};

INSTANTIATE_TEST_SUITE_P(Types, FieldValueType, testing::ValuesIn(kTypeCases));

TEST(FieldListBlocks, DateSurvivesARoundTripAndFollowsAnEditedText) {
    CFieldList list;
    list.add({.id = 10, .kind = FieldKind::kDisplay, .type = 0x5000, .offset = 0, .block = kBlock});
    CFieldListBlocks blocks(list);
    // Month 3, year 24, 10 h, day 15, 30 s, 45 min.
    const Bytes date = bytesOf({3, 24, 10, 15, 30, 45});
    ASSERT_EQ(blocks.decodeBlock(kBlock, date), 0);
    const std::string shown = list.find(10)->text();
    EXPECT_NE(shown.find("2024"), std::string::npos) << shown;
    EXPECT_EQ(blocks.encodeBlock(kBlock), date);

    // A date the calendar cannot hold is shown as the default but written back as read.
    const Bytes impossible = bytesOf({14, 24, 10, 15, 30, 45});
    ASSERT_EQ(blocks.decodeBlock(kBlock, impossible), 0);
    EXPECT_EQ(blocks.encodeBlock(kBlock), impossible);

    // Another date text typed in is written as that date.
    list.find(10)->setText(shown);
    EXPECT_EQ(blocks.encodeBlock(kBlock), date);
}

TEST(Identification, FieldsOfADialogAndTheDecoderAgree) {
    Bytes block(50, 0);
    block[1] = 17;
    block[2] = 0x12;
    block[3] = 0x34;
    block[4] = 7;
    block[5] = 3;
    block[9] = 42; // unit number, low byte of four
    const std::string firmware = "V2-CKS-1.00";
    const std::string description = "Calyptron two chords";
    std::copy(firmware.begin(), firmware.end(), block.begin() + 10);
    std::copy(description.begin(), description.end(), block.begin() + 30);

    CFieldList fields;
    registerIdentificationFields(fields);
    fields.add({.id = 10,
                .kind = FieldKind::kEdit,
                .format = "%0.f",
                .type = 0x0100,
                .offset = 0,
                .block = kBlock});
    CFieldListBlocks blocks(fields);
    EXPECT_EQ(blocks.blockSize(Identification::kBlockCode), 50);
    ASSERT_EQ(blocks.decodeBlock(Identification::kBlockCode, block), 0);
    EXPECT_EQ(fields.find(identcontrol::kFirmware)->text(), firmware);

    Identification fromDecoder;
    ASSERT_TRUE(decodeIdentification(block, fromDecoder));
    const Identification fromFields = identificationOf(fields);
    for (const Identification& id : {fromDecoder, fromFields}) {
        EXPECT_EQ(id.slave, 17);
        EXPECT_EQ(id.deviceCode, 0x1234);
        EXPECT_EQ(id.serialNumber(), "07/03/00042");
        EXPECT_EQ(id.firmware, firmware);
        EXPECT_EQ(id.description, description);
    }
    Identification none;
    EXPECT_FALSE(decodeIdentification(Bytes(49, 0), none));
}

} // namespace
