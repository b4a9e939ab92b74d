#include "shell/FileFilters.h"

#include <gtest/gtest.h>

using namespace ks;

TEST(FileFilters, OpenAndSaveAll) {
    EXPECT_EQ(filefilter::openAny("Fichier", {"eta", "mes", "usi"}),
              "Fichier (*.eta; *.mes; *.usi)");
    EXPECT_EQ(filefilter::saveAll("File", {"eta", "usi", "sa"}), "File (*.eta;*.usi;*.sa)");
}

TEST(FileFilters, ExtensionOfTheChosenFile) {
    const std::vector<std::string> ext = {"eta", "mes", "etaBio"};
    struct Case {
        const char* path;
        int index;
    };
    const Case cases[] = {
        {"/d/site.mes", 1}, {"/d/site.etaBio", 2}, {"/d/site.eta", 0}, {"/d/site.ETA", -1},
        {"/d/site", -1},    {"/d.mes/site", -1},   {"/d/mes", -1},     {"/d/site.mes.txt", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(filefilter::matchingExtension(c.path, ext), c.index) << c.path;
}

TEST(FileFilters, ReplacedExtension) {
    EXPECT_EQ(filefilter::withExtension("/d/site.eta", "sav"), "/d/site.sav");
    EXPECT_EQ(filefilter::withExtension("/d.x/site", "sav"), "/d.x/site.sav");
}
