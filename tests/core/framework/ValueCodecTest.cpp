// Each value type read from its bytes and written back.
#include "framework/ValueCodec.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace ks;

namespace {

const RegionalSettings kRegional = RegionalSettings::fallback(); // 15/03/2024 - 14:45:30

// 0xEE around the value: its neighbours must survive the round trip.
Bytes around(const Bytes& value) {
    Bytes b(value.size() + 2, 0xEE);
    std::copy(value.begin(), value.end(), b.begin() + 1);
    return b;
}

struct RoundTrip {
    const char* name;
    int type;
    const char* format;
    double maximum;
    Bytes block; // the value sits at offset 1
    double number;
    const char* text; // nullptr: no text expected
};

// Month, year, hour, day, second, minute of 15/03/2024 14:45:30.
const Bytes kClock = {0x03, 0x18, 0x0E, 0x0F, 0x1E, 0x2D};
const double kClockNumber = static_cast<double>(0x2D1E0F0E1803LL);
const char* const kClockText = "15/03/2024 - 14:45:30";

const RoundTrip kCases[] = {
    {"s8", 0x0100, "%.f", 0, around({0xFF}), -1, nullptr},
    {"s8 list index", 0x0100, "%c", 255, around({0x03}), 3, nullptr},
    {"s16 FF FE", 0x0200, "%.f", 0, around({0xFF, 0xFE}), -2, nullptr},
    {"s16 tenths", 0x0200, "%0.1f", 0, around({0x00, 0x7D}), 12.5, nullptr},
    {"s16 through a text format", 0x0200, "%s", 0, around({0xFF, 0xFE}), -2, "-2"},
    {"s24", 0x0300, "%.f", 0, around({0xFF, 0xFF, 0xFE}), -2, nullptr},
    {"s24 hundredths", 0x0300, "%0.2f", 0, around({0x01, 0x00, 0x00}), 655.36, nullptr},
    {"f32", 0x0400, "%0.3f", 0, around({0x41, 0x48, 0x00, 0x00}), 12.5, nullptr},
    {"u16 FF FE", 0x3000, "%.f", 0, around({0xFF, 0xFE}), 65534, nullptr},
    {"u32", 0x4000, "%.f", 0, around({0xFF, 0xFF, 0xFF, 0xFE}), 4294967294.0, nullptr},
    {"s32 tenths", 0x8000, "%0.1f", 0, around({0xFF, 0xFF, 0xFF, 0x83}), -12.5, nullptr},
    {"u8", 0xA000, "%.f", 0, around({0xFE}), 254, nullptr},
    {"f64", 0xB000, "%f", 0, around({0x40, 0x29, 0, 0, 0, 0, 0, 0}), 12.5, nullptr},
    {"high nibble", 0x0600, "%.f", 0, around({0xA5}), 10, nullptr},
    {"low nibble", 0x0700, "%.f", 0, around({0xA5}), 5, nullptr},
    {"bit 0", 0x0800, "%.f", 0, around({0xA5}), 1, nullptr},
    {"bit 1", 0x0900, "%.f", 0, around({0xA5}), 0, nullptr},
    {"bit 5 in place", 0x0D00, "%.f", 0, around({0xA5}), 32, nullptr},
    {"bit 7 in place", 0x0F00, "%.f", 0, around({0xA5}), 128, nullptr},
    {"mask 0x30", 0x9030, "%.f", 0, around({0xA5}), 2, nullptr},
    {"mask 0xC1", 0x90C1, "%.f", 0, around({0xA5}), 5, nullptr},
    {"0x1000 range 2", 0x1000, "%.f", 0, around({0x02, 0xAD, 0x9C}), 10000, nullptr},
    {"0x1000 range 0", 0x1000, "%.f", 0, around({0x00, 0x05, 0x35}), 100, nullptr},
    {"0x2000", 0x2000, "%0.2f", 0, around({0x00, 0x82}), 5, nullptr},
    {"padded text", 0x0500, "%s", 6, around({'a', 'b', 'c', ' ', ' ', ' '}), 0, "abc   "},
    {"Latin-1 text", 0x0500, "%s", 5, around({'D', 0xE9, 'b', 'i', 't'}), 0,
     "D\xC3\xA9"
     "bit"},
    {"0x5000 date", 0x5000, "%s", 0, around(kClock), kClockNumber, kClockText},
    {"0x6000 date", 0x6000, "%s", 0, around(kClock), kClockNumber, kClockText},
    {"0x7000 date", 0x7000, "%s", 0, around(kClock), kClockNumber, kClockText},
    {"0xC000 BCD date", 0xC000, "%s", 0, around({0x03, 0x24, 0x14, 0x15, 0x30, 0x45}),
     static_cast<double>(0x453015142403LL), kClockText},
    {"0xD000 odd offsets", 0xD000, "%s", 0,
     around({0x77, 0x03, 0x77, 0x18, 0x77, 0x0E, 0x77, 0x0F, 0x77, 0x1E, 0x77, 0x2D, 0x77}),
     kClockNumber, kClockText},
    {"invalid date shows the default", 0x5000, "%s", 0,
     around({0x0D, 0x18, 0x0E, 0x0F, 0x1E, 0x2D}), static_cast<double>(0x2D1E0F0E180DLL),
     "01/01/1980 - 00:00:00"},
};

TEST(ValueCodec, EveryTypeDecodesAndWritesBackTheSameBytes) {
    for (const RoundTrip& k : kCases) {
        SCOPED_TRACE(k.name);
        const ValueCoding coding{k.type, k.format, 0, k.maximum};
        const std::optional<FieldValue> v = decodeValue(coding, k.block, 1, kRegional);
        ASSERT_TRUE(v.has_value());
        EXPECT_DOUBLE_EQ(v->number, k.number);
        if (k.text) {
            EXPECT_EQ(v->text, k.text);
        }
        Bytes written = k.block;
        ASSERT_TRUE(encodeValue(coding, *v, written, 1));
        EXPECT_EQ(written, k.block);
    }
}

// Sub-byte types write only their own bits: into a byte of zeros and into a byte of ones.
TEST(ValueCodec, BitsNibblesAndMasksKeepTheOtherBits) {
    struct Case {
        int type;
        double value;
        std::uint8_t fromZeros;
        std::uint8_t fromOnes;
    };
    const Case cases[] = {
        {0x0600, 0x9, 0x90, 0x9F}, {0x0700, 0x9, 0x09, 0xF9}, {0x0A00, 1, 0x04, 0xFF},
        {0x0A00, 0, 0x00, 0xFB},   {0x0A00, 4, 0x04, 0xFF}, // the value read back sets it
        {0x9030, 2, 0x20, 0xEF},   {0x90C1, 5, 0x81, 0xBF},   {0x90C1, 2, 0x40, 0x7E},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << k.type << " " << k.value);
        const ValueCoding coding{k.type, "%.f", 0, 0};
        Bytes zeros{0x00}, ones{0xFF};
        ASSERT_TRUE(encodeValue(coding, FieldValue::ofNumber(k.value), zeros, 0));
        ASSERT_TRUE(encodeValue(coding, FieldValue::ofNumber(k.value), ones, 0));
        EXPECT_EQ(zeros[0], k.fromZeros);
        EXPECT_EQ(ones[0], k.fromOnes);
    }
}

// A number is held by the field's limits first, then by what its bytes can hold.
TEST(ValueCodec, NumbersAreHeldWithinLimitsAndBytes) {
    struct Case {
        const char* name;
        int type;
        const char* format;
        double minimum, maximum;
        double value;
        Bytes expected;
    };
    const Case cases[] = {
        {"tenths shown become the integer", 0x0200, "%0.1f", 0, 0, 12.5, {0x00, 0x7D}},
        {"above the maximum", 0x0200, "%0.1f", 0, 100, 250, {0x03, 0xE8}},
        {"below the minimum", 0x0200, "%0.1f", 10, 100, -5, {0x00, 0x64}},
        {"no limits: too large for 16 bits", 0x3000, "%.f", 0, 0, 70000, {0xFF, 0xFF}},
        {"no limits: negative unsigned", 0x3000, "%.f", 0, 0, -3, {0x00, 0x00}},
        {"signed byte keeps list indices up to 255", 0x0100, "%c", 0, 255, 200, {0xC8}},
        {"signed byte too large", 0x0100, "%.f", 0, 0, 300, {0xFF}},
        {"signed byte too small", 0x0100, "%.f", 0, 0, -200, {0x80}},
        {"whole format rounds", 0x0100, "%h", 0, 0, 2.6, {0x03}},
        {"rounded to the shown decimals", 0x3000, "%0.2f", 0, 0, 27.904, {0x0A, 0xE6}},
        {"nibble too large", 0x0700, "%.f", 0, 0, 20, {0x0F}},
        {"0x1000 beyond its range byte", 0x1000, "%.f", 0, 0, 1e12, {0xFF, 0xFF, 0xFF}},
        {"0x2000", 0x2000, "%.f", 0, 0, 12, {0x01, 0x38}},
        {"not a number", 0x0200, "%.f", 0, 0, std::nan(""), {0x00, 0x00}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Bytes block(k.expected.size(), 0);
        ASSERT_TRUE(encodeValue({k.type, k.format, k.minimum, k.maximum},
                                FieldValue::ofNumber(k.value), block, 0));
        EXPECT_EQ(block, k.expected);
    }
}

TEST(ValueCodec, TextsArePaddedCutAndStopAtZero) {
    const ValueCoding coding{0x0500, "%s", 0, 4};
    struct Case {
        std::string text;
        Bytes expected;
    };
    const Case cases[] = {
        {"ab", {'a', 'b', ' ', ' '}},
        {"abcdefgh", {'a', 'b', 'c', 'd'}},
        {"\xC3\xA9t\xC3\xA9", {0xE9, 't', 0xE9, ' '}}, // é as one Latin-1 byte
        {"\xE2\x82\xAC", {'?', ' ', ' ', ' '}},        // € has no Latin-1 byte
        {"a\xC3", {'a', 0xC3, ' ', ' '}},              // a broken sequence stays bytes
    };
    for (const Case& k : cases) {
        Bytes block = {0x11, 0x11, 0x11, 0x11, 0x11, 0x11};
        ASSERT_TRUE(encodeValue(coding, FieldValue::ofText(k.text), block, 1));
        EXPECT_EQ(Bytes(block.begin() + 1, block.end() - 1), k.expected) << k.text;
        EXPECT_EQ(block.front(), 0x11);
        EXPECT_EQ(block.back(), 0x11);
    }
    const Bytes zeroEnded = {'a', 'b', 0, 'x'};
    EXPECT_EQ(decodeValue(coding, zeroEnded, 0, kRegional)->text, "ab");
}

TEST(ValueCodec, NothingIsReadOrWrittenOutsideTheBlock) {
    const Bytes three = {1, 2, 3};
    EXPECT_FALSE(decodeValue({0x4000, "%.f", 0, 0}, three, 0, kRegional));
    EXPECT_FALSE(decodeValue({0x0200, "%.f", 0, 0}, three, 2, kRegional));
    EXPECT_FALSE(decodeValue({0x0200, "%.f", 0, 0}, three, -1, kRegional));
    EXPECT_FALSE(decodeValue({0xD000, "%s", 0, 0}, Bytes(12, 0), 0, kRegional));
    EXPECT_FALSE(decodeValue({0xE000, "%.f", 0, 0}, three, 0, kRegional)) << "unknown type";
    Bytes block = three;
    EXPECT_FALSE(encodeValue({0x0300, "%.f", 0, 0}, FieldValue::ofNumber(5), block, 1));
    EXPECT_FALSE(encodeValue({0x0500, "%s", 0, 10}, FieldValue::ofText("abc"), block, 0));
    EXPECT_EQ(block, three);
}

} // namespace
