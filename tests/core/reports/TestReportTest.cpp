// The test report's text, file, transfer file and spreadsheet hand-off.
#include "ReportFormat.h"
#include "app/ProfileFile.h"
#include "reports/TestHandOff.h"
#include "reports/TestReportFiles.h"
#include "reports/TestWorkbook.h"
#include "support/ReadOnlyFolder.h"
#include "support/RunProgram.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ks;
namespace fs = std::filesystem;

namespace {

TestReportData sample() {
    TestReportData d;
    d.serial = {7, 3, 42};
    d.boardType = "Board B";
    d.boardSerial = {12, 4, 1234};
    d.softwareReference = "CKS 3.07";
    d.outputPoints = {1160, 60500, 1161, 9};
    for (std::size_t c = 0; c < 2; ++c) {
        TestChannel& ch = d.channels[c];
        ch.polarity = c == 0 ? "Normal" : "Inverse";
        ch.margin = c == 0 ? 12 : 89;
        ch.mode = c == 0 ? "TxRx AM1/AV1" : "TxRx AM2/AV2";
        for (std::size_t r = 0; r < 10; ++r) {
            ch.normal[r] = {static_cast<int>(r + 1), static_cast<int>(30 + r + c),
                            190.125 + static_cast<double>(r)};
            ch.inverse[r] = {r < 3 ? static_cast<int>(9 - r) : 0, r < 3 ? -5 : 0,
                             r < 3 ? -0.5 * static_cast<double>(r + 1) : 0.0};
        }
    }
    return d;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// Every line follows its format and gives back the values, with either decimal separator.
TEST(TestReportText, EveryLineParsesBackToTheValues) {
    const TestReportData d = sample();
    for (const std::string sep : {".", ","}) {
        SCOPED_TRACE("separator " + sep);
        const std::string text = testReportText(d, sep);
        TestReportData back;
        reportformat::parse(text, sep, back);
        EXPECT_EQ(back.serial, d.serial);
        EXPECT_EQ(back.boardType, d.boardType);
        EXPECT_EQ(back.boardSerial, d.boardSerial);
        // Every "." of a line becomes the separator, texts included.
        EXPECT_EQ(back.softwareReference, sep == "." ? "CKS 3.07" : "CKS 3,07");
        EXPECT_EQ(back.outputPoints, d.outputPoints);
        for (std::size_t c = 0; c < 2; ++c) {
            EXPECT_EQ(back.channels[c].polarity, d.channels[c].polarity);
            EXPECT_EQ(back.channels[c].margin, d.channels[c].margin);
            EXPECT_EQ(back.channels[c].mode, d.channels[c].mode);
            for (std::size_t r = 0; r < 10; ++r) {
                EXPECT_EQ(back.channels[c].normal[r].count, d.channels[c].normal[r].count);
                EXPECT_EQ(back.channels[c].normal[r].minimumGain,
                          d.channels[c].normal[r].minimumGain);
                EXPECT_NEAR(back.channels[c].normal[r].value, d.channels[c].normal[r].value, 5e-4);
                EXPECT_EQ(back.channels[c].inverse[r].count, d.channels[c].inverse[r].count);
                EXPECT_NEAR(back.channels[c].inverse[r].value, d.channels[c].inverse[r].value,
                            5e-4);
            }
        }
    }
}

TEST(TestReportText, FixedWidthsAndFileName) {
    const std::string text = testReportText(sample(), ".");
    EXPECT_NE(text.find("Pts 20mA(2)\t    9\n"), std::string::npos);
    EXPECT_NE(text.find("Marge\t       12\n"), std::string::npos);
    EXPECT_NE(text.find("\n01\t 1\t30\t190.125\t 9\t-5\t-0.500\n"), std::string::npos);
    EXPECT_NE(text.find("\n10\t10\t39\t199.125\t 0\t 0\t0.000\n"), std::string::npos);
    EXPECT_EQ(testReportFileName(sample(), {2026, 12, 1, 9, 5, 3}),
              "TstKsn_07_03_00042 2026_12_01_09_05_03.prn");
}

struct ReportFiles : ::testing::Test {
    test::TempFolder dir;
    TestReportRequest request() const {
        TestReportRequest r;
        r.folder = dir.path();
        r.written = {2026, 12, 11, 14, 5, 9};
        r.decimalSeparator = ",";
        return r;
    }
    const std::string name = "TstKsn_07_03_00042 2026_12_11_14_05_09";
};

TEST_F(ReportFiles, ReportAndTransferFile) {
    TestReportRequest r = request();
    r.macro = "/opt/macros/test.xls";
    const TestReportResult out = writeTestReportFiles(r, sample());
    ASSERT_EQ(out.status, 0) << out.message;
    const std::string report = dir.path() + "/" + name + ".prn";
    EXPECT_EQ(out.path, report);
    EXPECT_EQ(readAll(report), testReportText(sample(), ","));
    EXPECT_EQ(out.transferFile, dir.path() + "/KSNTRANSFERT.$DAT");
    EXPECT_EQ(readAll(out.transferFile),
              "TYPE\tTEST\nF_IN\t" + report + "\nF_OUT\t" + dir.path() + "/" + name + ".xls\n");
    EXPECT_FALSE(out.launch) << "no spreadsheet program configured";

    // Without a macro there is no transfer file; a report of the same name is replaced.
    fs::remove(out.transferFile);
    r.macro.clear();
    r.decimalSeparator = ".";
    const TestReportResult again = writeTestReportFiles(r, sample());
    ASSERT_EQ(again.status, 0);
    EXPECT_TRUE(again.transferFile.empty());
    EXPECT_EQ(readAll(report), testReportText(sample(), "."));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{name + ".prn"});
}

TEST_F(ReportFiles, WorkbookVariant) {
    TestReportRequest r = request();
    r.workbook = true;
    const TestReportResult out = writeTestReportFiles(r, sample());
    ASSERT_EQ(out.status, 0) << out.message;
    EXPECT_EQ(out.path, dir.path() + "/" + name + ".xlsx");
    EXPECT_EQ(readAll(out.path).rfind("PK", 0), 0u) << "a zip container";
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{name + ".xlsx"});
}

// A folder that cannot be written: the message names the file and the system's reason, and
// nothing is left there, whichever kind of report.
TEST_F(ReportFiles, UnwritableFolderGivesTheMessageAndNoFile) {
    test::ReadOnlyFolder locked;
    if (!locked.ready())
        GTEST_SKIP() << locked.why();
    for (const bool workbook : {false, true}) {
        TestReportRequest r = request();
        r.folder = locked.path();
        r.workbook = workbook;
        r.macro = "/opt/macros/test.xls";
        r.language = 1;
        const TestReportResult out = writeTestReportFiles(r, sample());
        EXPECT_EQ(out.status, -1);
        EXPECT_EQ(out.message.rfind("Impossible d'ouvrir le fichier : " + locked.path() + "/", 0),
                  0u)
            << out.message;
        EXPECT_TRUE(out.message.find("Read-only file system") != std::string::npos ||
                    out.message.find("Permission denied") != std::string::npos)
            << out.message;
        EXPECT_FALSE(out.launch);
        EXPECT_TRUE(namesIn(locked.path()).empty());
    }
    // A folder that does not exist says so.
    TestReportRequest r = request();
    r.folder = dir.path() + "/missing";
    const TestReportResult out = writeTestReportFiles(r, sample());
    EXPECT_EQ(out.status, -1);
    EXPECT_NE(out.message.find("No such file or directory"), std::string::npos) << out.message;
}

// The command that opens the report, for each kind of spreadsheet program.
TEST(TestHandOff, SpreadsheetCommands) {
    const std::string report = "/data/tests/TstKsn_07_03_00042 2026_12_11_14_05_09.prn";
    const std::string folder = "/data/tests";
    struct Case {
        const char* name;
        SpreadsheetProgram s;
        std::string macro;
        std::vector<std::string> arguments;
    };
    const SpreadsheetProgram excel{"/win/Office/EXCEL.EXE", true, true, false};
    const SpreadsheetProgram calc{"/usr/bin/localc", true, false, true};
    const Case cases[] = {
        {"excel, no macro", excel, "", {report, "/p", folder}},
        {"excel with a macro: the report goes through the transfer file",
         excel,
         "/m/test.xls",
         {"/p", folder, "/m/test.xls"}},
        {"LibreOffice: the text import options, then the report",
         calc,
         "/m/test.xls",
         {"--infilter=Text - txt - csv (StarCalc):9,34,76,1,,1036", report}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LaunchCommand cmd = testSpreadsheetCommand(c.s, report, folder, c.macro, ",");
        EXPECT_EQ(cmd.program, c.s.path);
        EXPECT_EQ(cmd.arguments, c.arguments);
    }
    EXPECT_EQ(testWorkbookPath(report), "/data/tests/TstKsn_07_03_00042 2026_12_11_14_05_09.xls");
    EXPECT_EQ(testWorkbookPath("/a.b/report"), "/a.b/report.xls");
}

TEST(TestHandOff, ConfigurationGivesFolderMacroAndKind) {
    test::TempFolder dir;
    const std::string cfgPath = dir.path() + "/site.CalyptronKS";
    {
        std::ofstream cfg(cfgPath);
        cfg << "[Com]\nPath Test=" << dir.path() << "/reports\nPath Macro Test=/m/t.xls\n"
            << "Test Report Kind=1\n[Spreadsheet]\nPath Spreadsheet=\n";
    }
    CProfileFile cfg(cfgPath);
    TestReportRequest r = TestReportRequest::fromConfiguration(cfg, "/work/folder");
    EXPECT_EQ(r.folder, dir.path() + "/reports");
    EXPECT_EQ(r.macro, "/m/t.xls");
    EXPECT_TRUE(r.workbook);
    EXPECT_FALSE(r.spreadsheet.runnable);

    std::ofstream(cfgPath) << "[Com]\nPath Test=\n";
    CProfileFile empty(cfgPath);
    r = TestReportRequest::fromConfiguration(empty, "/work/folder");
    EXPECT_EQ(r.folder, "/work/folder") << "no test folder: the working folder";
    EXPECT_FALSE(r.workbook);
}

// The macro-capable spreadsheet gets no stale workbook of the report's name.
TEST_F(ReportFiles, OlderWorkbookIsRemovedBeforeTheMacroCapableSpreadsheet) {
    const std::string exe = dir.path() + "/excel.exe";
    std::ofstream(exe) << "#!/bin/sh\n";
    ::chmod(exe.c_str(), 0755);
    std::ofstream(dir.path() + "/" + name + ".xls") << "old";
    TestReportRequest r = request();
    r.spreadsheet = {exe, true, true, false};
    const TestReportResult out = writeTestReportFiles(r, sample());
    ASSERT_EQ(out.status, 0);
    ASSERT_TRUE(out.launch);
    EXPECT_EQ(out.launch->arguments, (std::vector<std::string>{out.path, "/p", dir.path()}));
    EXPECT_FALSE(fs::exists(dir.path() + "/" + name + ".xls"));
}

} // namespace
