#include "measurement/ExportCommand.h"

#include "app/ProfileFile.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

using namespace ks;

namespace {

// An executable file of that name in the folder.
std::string program(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name;
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), 0755);
    return path;
}

} // namespace

TEST(ExportCommand, SpreadsheetModeNeedsAMacroAndTheMacroCapableProgram) {
    test::TempFolder dir;
    const std::string excel = program(dir.path(), "EXCEL.EXE");
    const std::string calc = program(dir.path(), "localc");
    struct Case {
        std::string spreadsheet;
        std::string macroName;
        bool spreadsheetMode;
        bool runnable;
    } cases[] = {
        {excel, "Mesure", true, true},
        {excel, "", false, true},                        // no macro: a plain hand-over
        {calc, "Mesure", false, true},                   // not the macro-capable one
        {"tartempionexcel.exe", "Mesure", false, false}, // the start-up placeholder is none
        {dir.path() + "/missing/excel.exe", "Mesure", false, false},
        {"", "Mesure", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.spreadsheet + " / " + c.macroName);
        const CProfileFile cfg(dir.path() + "/site.cfg");
        ASSERT_EQ(cfg.writeString("Spreadsheet", "Path Spreadsheet", c.spreadsheet), 0);
        const ExportPlan plan = planExport(cfg, c.macroName);
        EXPECT_EQ(plan.spreadsheetMode, c.spreadsheetMode);
        EXPECT_EQ(plan.spreadsheet.runnable, c.runnable);
        EXPECT_EQ(plan.macroKey, c.spreadsheetMode ? "Path Macro Mesure" : "");
        EXPECT_EQ(plan.macroPath, c.spreadsheetMode ? "C:\\" : "");
    }
    const CProfileFile cfg(dir.path() + "/site.cfg");
    cfg.writeString("Spreadsheet", "Path Spreadsheet", excel);
    cfg.writeString("Spreadsheet", "Path Macro Mesure", "/m/rapport.xls");
    EXPECT_EQ(planExport(cfg, kMeasureMacroName).macroPath, "/m/rapport.xls");
    // Another name decides which program runs macros.
    cfg.writeString("Spreadsheet", "Spreadsheet Name", "LOCALC");
    cfg.writeString("Spreadsheet", "Path Spreadsheet", calc);
    EXPECT_TRUE(planExport(cfg, kMeasureMacroName).spreadsheetMode);
}

TEST(ExportCommand, FileKindsNamesAndFiles) {
    EXPECT_EQ(exportFileFilter(1, false), "Fichier PRN (*.prn);;Classeur (*.xlsx)");
    EXPECT_EQ(exportFileFilter(4, false).substr(exportFileFilter(4, false).find(";;")),
              ";;Arbeitsmappe (*.xlsx)");
    EXPECT_EQ(exportFileFilter(1, true), "Fichier Excel (*.xls)");
    EXPECT_EQ(exportDefaultSuffix(true), "xls");
    EXPECT_EQ(exportDefaultSuffix(false), "prn");

    const struct {
        std::string recording, proposed, direct, folder;
    } names[] = {
        {"/data/site 3/essai.mes", "essai", "/data/site 3/essai.xls", "/data/site 3/"},
        {"/data/v1.2/essai", "essai", "/data/v1.2/essai.xls", "/data/v1.2/"},
        {"essai.2.mes", "essai.2", "essai.2.xls", ""},
    };
    for (const auto& n : names) {
        EXPECT_EQ(proposedExportName(n.recording), n.proposed);
        EXPECT_EQ(directExportOutput(n.recording), n.direct);
        EXPECT_EQ(folderOfFile(n.recording), n.folder);
    }
    EXPECT_EQ(exportTextFile("/w/out.prn", false, "/w/"), "/w/out.prn");
    EXPECT_EQ(exportTextFile("/w/out.xls", true, "/w"), "/w/KSNPrnTemp.prn");
    EXPECT_EQ(transferFilePath("/w"), "/w/KSNTransfert.$dat");
}

TEST(ExportCommand, ClearingAnOldOutputRemovesItOrSaysWhy) {
    test::TempFolder dir;
    const std::string old = dir.path() + "/report.xls";
    std::ofstream(old) << "old workbook";
    EXPECT_EQ(clearOldOutput(old), 0);
    struct stat st {};
    EXPECT_NE(::stat(old.c_str(), &st), 0);
    EXPECT_EQ(clearOldOutput(dir.path() + "/no such folder/report.xls"), ENOENT);
}
