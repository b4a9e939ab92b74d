// Checks over the whole compiled table: every number present in every language, lists of the
// same length everywhere, the texts the program leaves unused, consistent model names, and
// the bytes of the characters a technician must see right.
#include "i18n/TextTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace ks;
using Strings = std::vector<std::string>;

namespace {

const std::set<int> kUnused = {62, 83, 109, 117, 170, 174, 323};

bool isList(int number) {
    return (number >= 17 && number <= 61) || number == 163 || number == 336;
}

// Well-formed UTF-8 without control characters other than the line feed.
bool isCleanUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\n') || c == 0x7F) {
                return false;
            }
            ++i;
            continue;
        }
        std::size_t len = 0;
        unsigned int cp = 0;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < len; ++k) {
            const unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        const unsigned int minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        // C1 controls (U+0080..U+009F) are what Latin-1 text misread as UTF-8 turns into.
        if (cp < 0xA0) {
            return false;
        }
        i += len;
    }
    return true;
}

} // namespace

TEST(TextTableContent, EveryNumberHasAnEntryOfOneLengthInEveryLanguage) {
    CTextTable table;
    int lists = 0;
    for (int number = 1; number <= kTextCount; ++number) {
        const std::size_t french = table.lookup(number, kLanguageFrench).size();
        ASSERT_GE(french, 1u) << "text " << number;
        EXPECT_EQ(french > 1, isList(number)) << "text " << number << " has " << french;
        if (french > 1) {
            ++lists;
        }
        for (int lang = 2; lang <= kTextLanguageCount; ++lang) {
            EXPECT_EQ(table.lookup(number, lang).size(), french)
                << "text " << number << ", language " << lang;
        }
    }
    EXPECT_EQ(lists, 47);
}

TEST(TextTableContent, OnlyTheUnusedNumbersAreEmpty) {
    CTextTable table;
    for (int number = 1; number <= kTextCount; ++number) {
        for (int lang = 1; lang <= kTextLanguageCount; ++lang) {
            const Strings strings = table.lookup(number, lang);
            for (std::size_t i = 0; i < strings.size(); ++i) {
                // Text 25 names the states of the connection; state 0 shows nothing.
                const bool blank = kUnused.count(number) > 0 || (number == 25 && i == 0);
                EXPECT_EQ(strings[i].empty(), blank)
                    << "text " << number << ", language " << lang << ", entry " << i;
            }
        }
    }
}

TEST(TextTableContent, EveryStringIsCleanUtf8) {
    CTextTable table;
    for (int number = 1; number <= kTextCount; ++number) {
        for (int lang = 1; lang <= kTextLanguageCount; ++lang) {
            for (const std::string& s : table.lookup(number, lang)) {
                EXPECT_TRUE(isCleanUtf8(s)) << "text " << number << ", language " << lang;
            }
        }
    }
}

TEST(TextTableContent, CharactersComeOutAsUtf8) {
    CTextTable table;
    for (int lang = 1; lang <= kTextLanguageCount; ++lang) {
        EXPECT_EQ(table.text(93, lang), "\xC2\xB0"
                                        "C");
        EXPECT_EQ(table.text(94, lang), "\xC2\xB0");
        // MICRO SIGN, U+00B5, not the Greek letter mu.
        EXPECT_EQ(table.text(328, lang), "\xC2\xB5s");
        EXPECT_EQ(table.lookup(163, lang),
                  (Strings{"Fran\xC3\xA7"
                           "ais",
                           "English", "Portugu\xC3\xAAs", "Deutsch", "Espa\xC3\xB1ol"}));
    }
    EXPECT_EQ(table.text(13, kLanguageFrench), "C\xC3\xA9l\xC3\xA9rit\xC3\xA9");
    EXPECT_EQ(table.text(330, kLanguageFrench), "Valeur(\xC2\xB5s)");
    EXPECT_EQ(table.text(214, kLanguageFrench), "N\xC2\xB0 de S\xC3\xA9rie");
    EXPECT_EQ(table.text(282, kLanguageGerman), "\xC3\x9C"
                                                "ber ...");
    EXPECT_EQ(table.text(8, kLanguagePortuguese), "Aten\xC3\xA7\xC3\xA3o");
}

TEST(TextTableContent, ModelNamesAgreeWithTheModelLists) {
    CTextTable table;
    for (int lang = 1; lang <= kTextLanguageCount; ++lang) {
        const Strings models = table.lookup(48, lang);
        const Strings shortNames = table.lookup(49, lang);
        ASSERT_EQ(models.size(), 10u);
        ASSERT_EQ(shortNames.size(), 10u);
        EXPECT_EQ(std::set<std::string>(models.begin(), models.end()).size(), 10u)
            << "a model is listed twice, language " << lang;
        EXPECT_EQ(std::set<std::string>(shortNames.begin(), shortNames.end()).size(), 10u);
        for (std::size_t i = 0; i < models.size(); ++i) {
            // The short designation is the model name without the family name.
            const std::string& m = models[i];
            const std::string& s = shortNames[i];
            EXPECT_TRUE(m.size() > s.size() && m.compare(m.size() - s.size(), s.size(), s) == 0)
                << m << " / " << s;
        }
        std::set<std::string> named;
        for (int number = 311; number <= 320; ++number) {
            const std::string name = table.text(number, lang);
            EXPECT_EQ(std::count(models.begin(), models.end(), name), 1)
                << "text " << number << " (" << name << "), language " << lang;
            named.insert(name);
        }
        EXPECT_EQ(named.size(), 10u);
    }
}

TEST(TextTableContent, ApplicationTypeNamesMatchTheSelectionList) {
    // The transfer's mismatch message names types with 310, 309 and 308; the selection list
    // offers them as entries 1 to 3 of list 47. Both must read the same.
    CTextTable table;
    for (int lang = 1; lang <= kTextLanguageCount; ++lang) {
        const Strings types = table.lookup(47, lang);
        ASSERT_EQ(types.size(), 4u);
        EXPECT_EQ(table.text(310, lang), types[1]);
        EXPECT_EQ(table.text(309, lang), types[2]);
        EXPECT_EQ(table.text(308, lang), types[3]);
    }
}
