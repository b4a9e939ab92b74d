#include "shell/Caption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ks;

namespace {

std::string repeated(const std::string& unit, std::size_t count) {
    std::string s;
    for (std::size_t i = 0; i < count; ++i)
        s += unit;
    return s;
}

} // namespace

TEST(Caption, LongNamesKeepTheirHeadAndTail) {
    const std::string forty = "/home/technicien/config/site-nord.cfgx"
                              "ab"; // 40 characters
    ASSERT_EQ(forty.size(), 40u);
    const std::string fortyOne = forty + "Z";

    struct Case {
        std::string name;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"/a/b", "/a/b"},
        {forty, forty},
        {fortyOne, "/ho..." + fortyOne.substr(41 - 34)},
        {repeated("x", 100), "xxx..." + repeated("x", 34)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(caption::shortenedName(c.name), c.shown) << c.name;
    EXPECT_EQ(caption::shortenedName(fortyOne).size(), 3u + 3u + 34u);
}

TEST(Caption, CharactersAreCountedNotBytes) {
    // 40 characters in 80 bytes: short enough, and kept whole.
    const std::string fortyAccents = repeated("é", 40);
    EXPECT_EQ(caption::shortenedName(fortyAccents), fortyAccents);
    // 41 characters: the cut falls between characters, never inside one.
    const std::string fortyOneAccents = repeated("é", 41);
    EXPECT_EQ(caption::shortenedName(fortyOneAccents),
              repeated("é", 3) + "..." + repeated("é", 34));
    // A stray byte that starts no character counts as one.
    const std::string stray = "\xff" + repeated("a", 40);
    EXPECT_EQ(caption::shortenedName(stray), "\xff"
                                             "aa..." +
                                                 repeated("a", 34));
}

TEST(Caption, Composition) {
    struct Case {
        std::string base, name, tail, caption;
    };
    const std::vector<Case> cases = {
        {"Mesure", "", "", "Mesure"},
        {"Mesure", "/x/site", "", "Mesure   -   /x/site"},
        {"Mesure", "/x/site", " [1]", "Mesure   -   /x/site [1]"},
        {"Mesure", "", " [1]", "Mesure [1]"},
        {"", "/x/site", "", "   -   /x/site"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(caption::compose(c.base, c.name, c.tail), c.caption) << c.caption;
}

TEST(Caption, ProgramCaptionAndConfigurationName) {
    EXPECT_EQ(caption::programCaption("Calyptron KS", "V2 1.0.0"), "Calyptron KS 1.0.0");
    EXPECT_EQ(caption::programCaption("Calyptron KS", "V2  1.2b rc "), "Calyptron KS 1.2B RC");
    EXPECT_EQ(caption::programCaption("Calyptron KS", "V2"), "Calyptron KS ");

    struct Case {
        std::string path, name;
    };
    const std::vector<Case> cases = {
        {"/home/u/default.CalyptronKS", "/home/u/default"},
        {"/home/u/site.v2.CalyptronKS", "/home/u/site.v2"},
        {"/home/u.d/site", "/home/u.d/site"},
        {"/home/u/.hidden", "/home/u/.hidden"},
        {"plain", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(caption::withoutExtension(c.path), c.name) << c.path;
}
