#include "app/IniDocument.h"
#include "app/ProfileNumbers.h"
#include "app/TextEncoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace ks;

namespace {

// A file as the Windows program and a text editor leave it: CRLF, Latin-1, blanks around
// names, a comment, a key without '=', a duplicate section and key, a key before any section.
const std::string kWindowsFile = "Stray=before any section\r\n"
                                 "[Com]\r\n"
                                 "Port=2.000000\r\n"
                                 "  Bauds  =  4.000000  \r\n"
                                 "; JBus=7.000000\r\n"
                                 "JBus\r\n"
                                 "Port=9.000000\r\n"
                                 "\r\n"
                                 "[Modem]\r\n"
                                 "Initalisation string=&F S95=0 E0\r\n"
                                 "Telefon number=\"0123 456\"\r\n"
                                 "[File Save]\r\n"
                                 "Path File Save=C:\\Donn\xE9"
                                 "es\\\r\n"
                                 "[COM]\r\n"
                                 "Language=3.000000\r\n"
                                 "[Broken\r\n"
                                 "Port=5.000000\r\n";

} // namespace

TEST(IniDocument, ReadsFilesWrittenOnWindows) {
    const IniDocument doc = IniDocument::parse(kWindowsFile);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const std::vector<Case> cases = {
        {"Com", "Port", "2.000000"},       // the first of two lines wins
        {"com", "PORT", "2.000000"},       // names compare without case
        {"Com", "Bauds", "4.000000"},      // blanks around names and values
        {"Com", "JBus", std::nullopt},     // a comment and a key without '=' never match
        {"Com", "Language", std::nullopt}, // only the first [Com] counts
        {"Modem", "Initalisation string", "&F S95=0 E0"},
        {"Modem", "Telefon number", "0123 456"}, // enclosing quotes go
        {"File Save", "Path File Save",
         "C:\\Donn\xE9"
         "es\\"},
        {"", "Stray", std::nullopt},
        {"Broken", "Port", std::nullopt},
        {"Missing", "Port", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(doc.value(c.section, c.key), c.value) << c.section << "/" << c.key;
    EXPECT_EQ(doc.serialize(), kWindowsFile);
}

TEST(IniDocument, ChangesOnlyTheLinesItWrites) {
    IniDocument doc = IniDocument::parse(kWindowsFile);
    ASSERT_TRUE(doc.set("Com", "Port", "3.000000"));
    ASSERT_TRUE(doc.set("COM", "Selection Type", "2.000000"));
    ASSERT_TRUE(doc.set("Language", "Language", "1.000000"));
    std::string expected = kWindowsFile;
    expected.replace(expected.find("Port=2.000000"), 13, "Port=3.000000");
    // A new key goes after the section's last non-blank line, under the spelling we write.
    expected.replace(expected.find("Port=9.000000\r\n"), 15,
                     "Port=9.000000\r\nSelection Type=2.000000\r\n");
    expected += "[Language]\r\nLanguage=1.000000\r\n";
    EXPECT_EQ(doc.serialize(), expected);
    EXPECT_EQ(doc.value("Com", "Selection Type"), "2.000000");
}

TEST(IniDocument, NewLinesFollowTheFilesLineEnds) {
    struct Case {
        const char* before;
        const char* after;
    };
    const std::vector<Case> cases = {
        {"", "[Com]\r\nPort=1\r\n"},
        {"[A]\nx=1\n", "[A]\nx=1\n[Com]\nPort=1\n"},
        {"[A]\nx=1", "[A]\nx=1\n[Com]\nPort=1\n"},
        {"[Com]", "[Com]\r\nPort=1\r\n"},
        {"[Com]\nBauds=5\n\n\n[B]\n", "[Com]\nBauds=5\nPort=1\n\n\n[B]\n"},
        {"\xEF\xBB\xBF[Com]\r\nPort=0\r\n", "\xEF\xBB\xBF[Com]\r\nPort=1\r\n"},
    };
    for (const auto& c : cases) {
        IniDocument doc = IniDocument::parse(c.before);
        ASSERT_TRUE(doc.set("Com", "Port", "1"));
        EXPECT_EQ(doc.serialize(), c.after) << c.before;
    }
}

TEST(IniDocument, RefusesWhatWouldNotReadBackAsWritten) {
    struct Case {
        const char* section;
        const char* key;
        std::string value;
    };
    const std::vector<Case> cases = {
        {"Modem", "Telefon number", "123\r\n[Com]\r\nPort=9"},
        {"Modem", "Telefon number",
         std::string("12\0"
                     "3",
                     4)},
        {"Com]", "Port", "1"},
        {"Com", "Po=rt", "1"},
        {"Com", "[Port", "1"},
        {"", "Port", "1"},
        {"Com", "", "1"},
        {" Com", "Port", "1"},
        {"Com", "Port ", "1"},
    };
    const std::string original = "[Com]\r\nPort=0\r\n";
    for (const auto& c : cases) {
        IniDocument doc = IniDocument::parse(original);
        EXPECT_FALSE(doc.set(c.section, c.key, c.value)) << c.section << "/" << c.key;
        EXPECT_EQ(doc.serialize(), original);
    }
}

TEST(ProfileNumbers, WrittenWithSixDecimals) {
    EXPECT_EQ(formatProfileNumber(5), "5.000000");
    EXPECT_EQ(formatProfileNumber(-0.5), "-0.500000");
    EXPECT_EQ(formatProfileNumber(0.1234567), "0.123457");
    EXPECT_EQ(formatProfileNumber(99999), "99999.000000");
    EXPECT_EQ(formatProfileNumber(1e20), "100000000000000000000.000000");
    EXPECT_EQ(formatProfileNumber(1.0 / 0.0), "inf");
}

TEST(ProfileNumbers, ReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const std::vector<Case> cases = {
        {"5.000000", 5.0},
        {" \t12abc", 12.0},
        {"-3.5e2x", -350.0},
        {"+7", 7.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e", 1.0},
        {"1,5", 1.0},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"1e999", std::nullopt},
        {"inf", std::nullopt},
        {"0x10", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseProfileNumber(c.text), c.value) << c.text;
}

TEST(TextEncoding, Latin1AndUtf8) {
    EXPECT_TRUE(isValidUtf8("Donn\xC3\xA9"
                            "es"));
    EXPECT_FALSE(isValidUtf8("Donn\xE9"
                             "es"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));     // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));     // cut sequence
    EXPECT_EQ(utf8FromProfileBytes("Donn\xE9"
                                   "es"),
              "Donn\xC3\xA9"
              "es");
    EXPECT_EQ(utf8FromProfileBytes("Donn\xC3\xA9"
                                   "es"),
              "Donn\xC3\xA9"
              "es");
    EXPECT_EQ(firstCharacters("\xC3\xA9\xC3\xA9x", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(firstCharacters("ab", 5), "ab");
}
