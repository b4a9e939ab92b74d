#include "i18n/TextTable.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace ks;
using Strings = std::vector<std::string>;

namespace {

struct LookupCase {
    const char* what;
    int number;
    int language;
    Strings expected;
};

const LookupCase kLookupCases[] = {
    {"language above 5", 1, 6, {""}},
    {"language above 5 wins over a bad number", 0, 6, {""}},
    {"language far above 5", 344, 99, {""}},
    {"number 0", 0, 1, {""}},
    {"number 344", 344, 5, {""}},
    {"negative number", -1, 3, {""}},
    {"bad number wins over language 0", 0, 0, {""}},
    {"bad number wins over a negative language", 344, -1, {""}},
    {"language 0", 1, 0, {}},
    {"negative language", 343, -7, {}},
    {"first text, French",
     1,
     1,
     {"1er \xC3\xA9"
      "cran"}},
    {"single string, Spanish", 8, 5, {"Atenci\xC3\xB3n"}},
    {"last text, English", 343, 2, {"Please wait !\n Converting !"}},
    {"list with an empty first entry", 25, 2, {"", "Trying to connect", "Communication Failure"}},
    {"list with a trailing blank", 37, 5, {"No ", "S\xC3\xAD"}},
    {"baud list", 336, 4, {"300", "600", "1200", "2400", "4800", "9600", "BlueTooth"}},
};

void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << c.what << " (text " << c.number << ", language " << c.language << ")";
}

class Lookup : public ::testing::TestWithParam<LookupCase> {};

} // namespace

TEST_P(Lookup, FollowsTheRulesInOrder) {
    const LookupCase& c = GetParam();
    CTextTable table;
    // A long list first, so a result that is not emptied before the rules run shows.
    ASSERT_EQ(table.lookup(34, 1).size(), 14u);
    const Strings& got = table.lookup(c.number, c.language);
    EXPECT_EQ(got, c.expected) << c.what;
    EXPECT_EQ(&got, &table.lastLookup());
}

INSTANTIATE_TEST_SUITE_P(Rules, Lookup, ::testing::ValuesIn(kLookupCases));

TEST(TextTable, TextIsTheFirstStringOfTheLookup) {
    CTextTable table;
    EXPECT_EQ(table.text(17, 2), "Flow");
    EXPECT_EQ(table.lastLookup().size(), 6u);
    EXPECT_EQ(table.text(119, 4), "Fehler");
    EXPECT_EQ(table.text(25, 1), "");
    EXPECT_EQ(table.text(344, 1), "");
    EXPECT_EQ(table.text(1, 7), "");
    // An empty lookup has no first string: the text is empty rather than undefined.
    EXPECT_EQ(table.text(5, 0), "");
    EXPECT_TRUE(table.lastLookup().empty());
}

TEST(TextTable, LanguageCountIsFive) {
    CTextTable table;
    EXPECT_EQ(table.languageCount(), 5);
    EXPECT_EQ(table.lookup(1, table.languageCount()).front(), "1\xC2\xAA pantalla");
    EXPECT_EQ(table.lookup(1, table.languageCount() + 1), Strings{""});
}
