// The compiled table against reference texts copied from the documentation
// (tests/data/i18n/reference_rows.tsv).
#include "i18n/TextTable.h"
#include "i18n/TextTableFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace ks;
using Strings = std::vector<std::string>;

namespace {

// Places where the table knowingly differs from the documentation, because the documented
// entry is plainly wrong for the user: the English graph limit list shows "1" for the zero
// limit, and the English model list names M09 and M10 twice, so M07 and M08 could not be
// told from them.
struct Deviation {
    int number;
    int language;
    std::size_t index;
    const char* documented;
    const char* inTable;
};
const Deviation kDeviations[] = {
    {30, kLanguageEnglish, 1, "1", "0"},
    {48, kLanguageEnglish, 6, "Calyptron M09", "Calyptron M07"},
    {48, kLanguageEnglish, 7, "Calyptron M10", "Calyptron M08"},
};

struct ReferenceLine {
    int line = 0;
    int number = 0;
    int language = 0;
    std::size_t count = 0; // 0: the text is the whole entry; N: its first string of N
    Strings strings;
};

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream ss(line);
    std::string field;
    while (std::getline(ss, field, '\t')) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == '\t') {
        fields.emplace_back();
    }
    return fields;
}

std::vector<ReferenceLine> readReference() {
    const std::string path = std::string(KS_TEST_DATA_DIR) + "/i18n/reference_rows.tsv";
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<ReferenceLine> refs;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::vector<std::string> f = splitTabs(line);
        ReferenceLine ref;
        ref.line = lineNo;
        if (f.size() != 4) {
            ADD_FAILURE() << path << ':' << lineNo << ": expected 4 columns";
            continue;
        }
        ref.number = std::stoi(f[0]);
        ref.language = std::stoi(f[1]);
        if (f[2].rfind("first/", 0) == 0) {
            ref.count = std::stoul(f[2].substr(6));
        } else if (f[2] != "all") {
            ADD_FAILURE() << path << ':' << lineNo << ": unknown kind " << f[2];
            continue;
        }
        std::string why;
        if (!decodeTextCell(f[3], ref.strings, why)) {
            ADD_FAILURE() << path << ':' << lineNo << ": " << why;
            continue;
        }
        refs.push_back(std::move(ref));
    }
    return refs;
}

} // namespace

TEST(TextTableReference, MatchesTheDocumentedTexts) {
    const std::vector<ReferenceLine> refs = readReference();
    ASSERT_FALSE(refs.empty());
    CTextTable table;
    std::set<const Deviation*> used;
    std::set<int> frenchCovered;
    for (const ReferenceLine& ref : refs) {
        const Strings got = table.lookup(ref.number, ref.language);
        Strings expected = ref.strings;
        if (ref.count > 0) {
            ASSERT_EQ(expected.size(), 1u) << "line " << ref.line;
            EXPECT_EQ(got.size(), ref.count) << "line " << ref.line << ", text " << ref.number;
            EXPECT_EQ(got.empty() ? "" : got.front(), expected.front())
                << "line " << ref.line << ", text " << ref.number;
        } else {
            for (const Deviation& d : kDeviations) {
                if (d.number == ref.number && d.language == ref.language &&
                    d.index < expected.size()) {
                    EXPECT_EQ(expected[d.index], d.documented) << "line " << ref.line;
                    expected[d.index] = d.inTable;
                    used.insert(&d);
                }
            }
            EXPECT_EQ(got, expected)
                << "line " << ref.line << ", text " << ref.number << ", language " << ref.language;
        }
        if (ref.language == kLanguageFrench) {
            frenchCovered.insert(ref.number);
        }
    }
    EXPECT_EQ(used.size(), std::size(kDeviations)) << "a listed deviation is not in the reference";
    // Every used number has its French text in the reference (49 has none documented).
    const std::set<int> unused = {62, 83, 109, 117, 170, 174, 323};
    for (int number = 1; number <= kTextCount; ++number) {
        if (!unused.count(number) && number != 49) {
            EXPECT_TRUE(frenchCovered.count(number)) << "text " << number;
        }
    }
}

TEST(TextTableReference, KnownTyposAreKeptAsWritten) {
    CTextTable table;
    EXPECT_EQ(table.text(206, kLanguageGerman), "&alles Speichen");
    EXPECT_EQ(table.text(120, kLanguageGerman),
              "Die Version der Firmware ist nicht kompatibel mit dieser Software.\nGerauche die "
              "Software");
    EXPECT_EQ(table.text(121, kLanguageFrench), "Fichier trop court ! 8 minuties minimum");
}
