#include "framework/FieldFormat.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

using namespace ks;

namespace {

struct FormatCase {
    const char* format;
    double value;
    const char* expected;
};

// What a field shows after a number is set into it.
const FormatCase kFieldNumberCases[] = {
    // Plain printf number formats, printed as printf prints them.
    {"%0.1f", 27.94, "27.9"},
    {"%0.1f", -12.25, "-12.2"}, // an exact half goes to even, as printf does
    {"%0.f", 2.5, "2"},
    {"%.f", 3.5, "4"},
    {"%f", 1.5, "1.500000"},
    {"%0.3f", 0.5, "0.500"},
    {"%02.f", 7, "07"},
    {"%05.f", 42, "00042"},
    {"%09.f", 123456, "000123456"},
    {"%05.1f", -2.5, "-02.5"},
    {"%+.2f", 3, "+3.00"},
    {"%-6.1fmm", 2, "2.0   mm"},
    {"Q=%0.2f %%", 1.234, "Q=1.23 %"},
    {"%6.2e", 12345.678, "1.23e+04"},
    {"%G", 0.00001, "1E-05"},
    {"%d", 2.5, "3"}, // integer conversions round half away from zero
    {"%d", -2.5, "-3"},
    {"%u", -7, "0"},
    {"%X", 255, "FF"},
    {"%.3d", 7, "007"},
    {"%0.1f", std::numeric_limits<double>::infinity(), "inf"},
    {"%0.1f", -std::numeric_limits<double>::infinity(), "-inf"},
    // "auto": significant digits, rounded half away from zero.
    {"auto4", 1234.5, "1235"}, // printf would give 1234
    {"auto4", -1234.5, "-1235"},
    {"auto3", 0.125, "0.13"}, // printf would give 0.12
    {"auto3", -0.125, "-0.13"},
    {"auto4", -3.14159, "-3.142"}, // the sign is not a digit
    {"auto4", 99999.9, "100000"},  // more digits than asked: no decimals
    {"auto4", 0, "0.000"},
    {"auto4", -0.00004, "0.000"},
    {"auto4", 12.0, "12.00"},
    {"auto", 12.7, "13"}, // no digit count: no decimals
    // "h": hexadecimal with the digit count of the format.
    {"%04h", 255, "0x00FF"},
    {"%h", 26, "0x001A"},
    {"%2h", 4096, "0x1000"},
    {"%8H", 1, "0x00000001"},
    {"%4h", -1, "-0x0001"},
    // "l": an integer, as "%0.f".
    {"%0.l", 2.6, "3"},
    {"%l", 2.4, "2"},
    // Not number formats: the shortest text of the value, never printf.
    {"%s", 12.5, "12.5"},
    {"%c", 3, "3"},
    {"%rien%", -0.0, "0"},
    {"%n", 5, "5"},
    {"%0.1f%s", 27.94, "27.94"},
    {"%*d", 5, "5"},
    {"%ld", 5, "5"},
    {"%0.123f", 1, "1"},
    {"%0.1q", 1, "1"},
    {"", 1.25, "1.25"},
};

class FieldNumberText : public testing::TestWithParam<FormatCase> {};

TEST_P(FieldNumberText, PrintsByTheDisplayFormat) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatFieldNumber(c.format, c.value), c.expected)
        << "format \"" << c.format << "\" value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Formats, FieldNumberText, testing::ValuesIn(kFieldNumberCases));

TEST(NumberFormat, AcceptsOneNumberConversionOnly) {
    for (const char* good : {"%0.1f", "%.f", "%05.f", "Q=%d%%", "%-+ 0 12.2e", "%99.99g"})
        EXPECT_TRUE(parseNumberFormat(good).has_value()) << good;
    for (const char* bad :
         {"%s", "%n", "%0.1f%d", "%", "abc", "%ld", "%*d", "%123f", "%0.1q", "%.1f%", "%p", "%1$f"})
        EXPECT_FALSE(parseNumberFormat(bad).has_value()) << bad;
    EXPECT_FALSE(parseNumberFormat(std::string(60, 'x') + "%0.1f").has_value());
}

TEST(NumberFormat, ReadsFlagsWidthAndPrecision) {
    const auto conv = parseNumberFormat("ab%-09.3Ecd%%");
    ASSERT_TRUE(conv.has_value());
    EXPECT_EQ(conv->prefix, "ab");
    EXPECT_EQ(conv->suffix, "cd%");
    EXPECT_TRUE(conv->leftAlign);
    EXPECT_TRUE(conv->zeroPad);
    EXPECT_EQ(conv->width, 9);
    EXPECT_EQ(conv->precision, 3);
    EXPECT_EQ(conv->conversion, 'E');
}

struct ParseCase {
    const char* text;
    std::optional<double> expected;
};

TEST(LeadingNumber, ReadsAsScanfDoes) {
    const double big = std::numeric_limits<double>::max();
    const ParseCase cases[] = {
        {"27.94", 27.94},    {"  -5e2x", -500},     {"+.5", 0.5},          {"1e", 1},
        {"12abc", 12},       {"0x10", 0},           {"1e999", big},        {"-1e999", -big},
        {"1e-999", 0},       {".", std::nullopt},   {"abc", std::nullopt}, {"", std::nullopt},
        {"-", std::nullopt}, {"nan", std::nullopt}, {"inf", std::nullopt},
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(parseLeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(HexNumber, ReadsWithOrWithoutPrefix) {
    EXPECT_EQ(parseHexNumber("0x00FF"), 255.0);
    EXPECT_EQ(parseHexNumber(" ff"), 255.0);
    EXPECT_EQ(parseHexNumber("-0X1a"), -26.0);
    EXPECT_EQ(parseHexNumber("0x"), 0.0); // the "0" before the x
    EXPECT_EQ(parseHexNumber("zz"), std::nullopt);
    EXPECT_EQ(parseHexNumber("0x1FFFFFFFFFFFFFFFF"), 18446744073709551615.0);
}

TEST(HexDigitCount, IsTheNumberInsideTheFormat) {
    EXPECT_EQ(hexDigitCount("%h"), 4);
    EXPECT_EQ(hexDigitCount("h"), 4);
    EXPECT_EQ(hexDigitCount("%4h"), 4);
    EXPECT_EQ(hexDigitCount("%08h"), 8);
    EXPECT_EQ(hexDigitCount("%xh"), 4);
    EXPECT_EQ(hexDigitCount("%0h"), 1);
    EXPECT_EQ(hexDigitCount("%99h"), 16);
}

TEST(FormatDecimals, IsTheNumberAfterThePoint) {
    EXPECT_EQ(formatDecimals("%0.2f"), 2);
    EXPECT_EQ(formatDecimals("%0.1f"), 1);
    EXPECT_EQ(formatDecimals("%.f"), 0);
    EXPECT_EQ(formatDecimals("%d"), 0);
    EXPECT_EQ(formatDecimals("auto4"), 0);
}

} // namespace
