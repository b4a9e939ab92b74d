#include "framework/EditBoxRules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace ks;

namespace {

struct EditCase {
    const char* what;
    const char* typed;
    int caret;
    EditBoxRules rules;
    const char* shown;
    int caretAfter;
    bool beep;
};

void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.what;
}

const EditBoxRules kDiameter{"%0.1f", 10, 3300, false};

const EditCase kEditCases[] = {
    {"above the maximum", "5000", 4, kDiameter, "3300.0", 6, true},
    {"below the minimum", "5", 1, kDiameter, "10.0", 4, true},
    {"not a number", "abc", 3, kDiameter, "10.0", 4, true},
    {"reformatted", "27.94", 5, kDiameter, "27.9", 4, false},
    {"caret kept from the end", "27.94", 2, kDiameter, "27.9", 1, false},
    {"caret at the start", "123", 0, kDiameter, "123.0", 2, false},
    {"read-only is not clamped", "5000", 4, {"%0.1f", 10, 3300, true}, "5000.0", 6, false},
    {"no range when max equals min", "5000", 4, {"%0.1f", 0, 0, false}, "5000.0", 6, false},
    {"no range when max below min", "1", 1, {"%0.1f", 10, 5, false}, "1.0", 3, false},
    {"integer format", "300", 3, {"%d", 0, 255, false}, "255", 3, true},
    {"auto format", "123.456", 7, {"auto4", 0, 100, false}, "100.0", 5, true},
    {"negative limit", "-1e9", 4, {"%0.1f", -99999.9, 99999.9, false}, "-99999.9", 8, true},
    {"hex typed at the end", "0x00FF1", 7, {"%04h", 0, 10, false}, "0x0FF1", 6, false},
    {"hex without prefix", "ff", 2, {"%04h", 0, 0, false}, "0x00FF", 6, false},
    {"hex not a number", "zz", 2, {"%2h", 0, 0, false}, "0x00", 4, false},
    {"text cut to the maximum",
     "   KESTRANOL 12345",
     18,
     {"%s", 0, 16, false},
     "   KESTRANOL 123",
     16,
     false},
    {"text cut keeps the caret", "abcdefghij", 3, {"%s", 0, 8, false}, "abcdefgh", 3, false},
    {"text cut counts characters",
     "T\xC3\xA9"
     "flon-T\xC3\xA9"
     "flon",
     13,
     {"%s", 0, 8, false},
     "T\xC3\xA9"
     "flon-T",
     8,
     false},
    {"text without maximum",
     "anything at all",
     4,
     {"%s", 0, 0, false},
     "anything at all",
     4,
     false},
    {"text is never clamped", "5000", 4, {"%s", 10, 3300, false}, "5000", 4, false},
    // A format that fails the check is never used to print; the limit is shown plainly.
    {"unsafe format", "5000", 4, {"%s%f", 10, 3300, false}, "3300", 4, true},
};

class EditBoxText : public testing::TestWithParam<EditCase> {};

TEST_P(EditBoxText, FollowsTheEditRules) {
    const EditCase& c = GetParam();
    const EditBoxResult r = applyEditBoxRules(c.typed, c.caret, c.rules);
    EXPECT_EQ(r.text, c.shown);
    EXPECT_EQ(r.caret, c.caretAfter);
    EXPECT_EQ(r.beep, c.beep);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditBoxText, testing::ValuesIn(kEditCases));

TEST(EditBoxText, CaretOutsideTheTextIsHeldToIt) {
    EXPECT_EQ(applyEditBoxRules("12", 99, kDiameter).caret, 4);
    EXPECT_EQ(applyEditBoxRules("12", -5, kDiameter).caret, 2);
}

} // namespace
