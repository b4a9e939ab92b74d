#include "shell/AboutText.h"
#include "shell/DialogLanguage.h"

#include "core/app/TempFolder.h"

#include <gtest/gtest.h>

using namespace ks;

TEST(DialogLanguage, StoredFromZero) {
    TempFolder tmp;
    const CProfileFile cfg(tmp.path("c.CalyptronKS"));
    struct Case {
        const char* stored; // nullptr: no such key
        int language;
    };
    const Case cases[] = {
        {nullptr, 1}, {"0.000000", 1}, {"3.000000", 4}, {"4.000000", 5},
        {"4.9", 5},   {"5.000000", 1}, {"-1", 1},       {"x", 1},
    };
    for (const auto& c : cases) {
        writeBytes(cfg.path(), c.stored ? std::string("[Language]\r\nLanguage=") + c.stored : "");
        EXPECT_EQ(dialogLanguage(cfg), c.language) << (c.stored ? c.stored : "none");
    }
    EXPECT_EQ(dialogLanguage(CProfileFile()), 1);
}

TEST(AboutText, NameVersionAndCopyright) {
    CTextTable texts;
    EXPECT_EQ(aboutText(texts, kLanguageGerman),
              "Applikation : Calyptron KS\n\nVersion : V2 1.0.0\n\n"
              "Copyright (C) 2026 Calyptron KS developers");
    EXPECT_EQ(aboutText(texts, kLanguagePortuguese).substr(0, 11), "Aplicação");
}
