// The reader of texts.tsv, which the build runs to compile the table.
#include "i18n/TextTableFile.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace ks;
using Strings = std::vector<std::string>;

namespace {

struct CellCase {
    const char* cell;
    Strings expected;
};

const CellCase kCellCases[] = {
    {"", {""}},
    {"Fichier", {"Fichier"}},
    {"Oui | Non", {"Oui", "Non"}},
    {" | a | ", {"", "a", ""}},
    {"No  | S\xC3\xAD", {"No ", "S\xC3\xAD"}},
    {"Fichier ESC|esc", {"Fichier ESC|esc"}},
    {"a\\nb", {"a\nb"}},
    {"a\\tb\\\\", {"a\tb\\"}},
    {"fin\\s", {"fin "}},
    {"a\\s| b", {"a | b"}}, // an escaped blank keeps a bar from separating
    {"\xC2\xB5s | \xC2\xB0"
     "C",
     {"\xC2\xB5s", "\xC2\xB0"
                   "C"}},
};

void PrintTo(const CellCase& c, std::ostream* os) {
    *os << '"' << c.cell << '"';
}

class DecodeCell : public ::testing::TestWithParam<CellCase> {};

struct FaultCase {
    const char* what;
    std::string content;
    int textCount;
    int line;
    const char* message;
};

const std::string kRow1 = "1\ta\tb\tc\td\te\n";

const FaultCase kFaultCases[] = {
    {"five columns", "# header\n\n1\ta\tb\tc\td\n", 3, 3, "5 columns"},
    {"seven columns", kRow1 + "2\ta\tb\tc\td\te\tf\n", 3, 2, "7 columns"},
    {"no number", "x\ta\tb\tc\td\te\n", 3, 1, "does not start with a text number"},
    {"gap", kRow1 + "3\ta\tb\tc\td\te\n", 3, 2, "text 3 found where text 2"},
    {"twice", kRow1 + kRow1, 3, 2, "text 1 found where text 2"},
    {"beyond the last", kRow1 + "2\n", 1, 2, "beyond the last text"},
    {"missing end", kRow1 + "2\n", 3, 3, "ends after text 2; texts run to 3"},
    {"lists of different length", "1\ta | b\tc | d\te\tf | g\th | i\n", 1, 1,
     "French 2, English 2, Portuguese 1"},
    {"unknown escape", "1\ta\tb\tc\\x\td\te\n", 1, 1, "Portuguese: unknown escape \\x"},
    {"backslash at the end", "1\ta\tb\tc\td\\\te\n", 1, 1, "German: a backslash ends"},
    {"trailing blank", "1\ta\tb\tc\td\te \n", 1, 1, "ends with a blank"},
    {"trailing tab", "1\ta\tb\tc\td\t\n", 1, 1, "ends with a blank or a tab"},
    {"Latin-1 byte", "1\tCaf\xE9\tb\tc\td\te\n", 1, 1, "French: bytes that are not UTF-8"},
    {"overlong UTF-8", "1\ta\t\xC0\xAF\tc\td\te\n", 1, 1, "English: bytes that are not UTF-8"},
    {"cut UTF-8", "1\ta\tb\tc\td\te\xC3\n", 1, 1, "Spanish: bytes that are not UTF-8"},
    {"control character", "1\ta\x01\tb\tc\td\te\n", 1, 1, "control character"},
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.what;
}

class FileFault : public ::testing::TestWithParam<FaultCase> {};

} // namespace

TEST_P(DecodeCell, SplitsListsAndResolvesEscapes) {
    std::vector<std::string> got;
    std::string why;
    ASSERT_TRUE(decodeTextCell(GetParam().cell, got, why)) << why;
    EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cells, DecodeCell, ::testing::ValuesIn(kCellCases));

TEST_P(FileFault, IsReportedWithItsLine) {
    const FaultCase& c = GetParam();
    std::vector<TextRow> rows;
    TextFileError error;
    ASSERT_FALSE(readTextTableFile(c.content, rows, error, c.textCount)) << c.what;
    EXPECT_EQ(error.line, c.line) << c.what;
    EXPECT_NE(error.message.find(c.message), std::string::npos) << c.what << ": " << error.message;
}

INSTANTIATE_TEST_SUITE_P(Faults, FileFault, ::testing::ValuesIn(kFaultCases));

TEST(TextTableFile, ReadsRowsUnusedNumbersWindowsLineEndsAndByteOrderMark) {
    const std::string content =
        "\xEF\xBB\xBF# texts\r\n"
        "1\tOui | Non\tYes | No\tSim | N\xC3\xA3o\tJa | Nein\tS\xC3\xAD | No\r\n"
        "\r\n"
        "2\r\n"
        "3\tImprim\xC3\xA9 le \tPrinted at \tImpresso em: \tGedruckt am\t"
        "Imprimido el\\s";
    std::vector<TextRow> rows;
    TextFileError error;
    ASSERT_TRUE(readTextTableFile(content, rows, error, 3)) << error.line << ": " << error.message;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].number, 1);
    EXPECT_EQ(rows[0].strings[0], (Strings{"Oui", "Non"}));
    EXPECT_EQ(rows[0].strings[4], (Strings{"S\xC3\xAD", "No"}));
    for (const Strings& s : rows[1].strings) {
        EXPECT_EQ(s, Strings{""});
    }
    EXPECT_EQ(rows[2].strings[0], Strings{"Imprim\xC3\xA9 le "});
    EXPECT_EQ(rows[2].strings[3], Strings{"Gedruckt am"});
    EXPECT_EQ(rows[2].strings[4], Strings{"Imprimido el "});
}

TEST(TextTableFile, EscapingRoundTrips) {
    const std::string s = "a\nb\tc\\d \xC2\xB5";
    EXPECT_EQ(escapeTextString(s), "a\\nb\\tc\\\\d \xC2\xB5");
    std::vector<std::string> back;
    std::string why;
    ASSERT_TRUE(decodeTextCell(escapeTextString(s), back, why));
    EXPECT_EQ(back, Strings{s});
}
