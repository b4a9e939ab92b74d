// calyptron-cli test against the simulated meter: the report read back line by line, in a
// French locale; four failed reads; a quality that never reaches 100; a folder that cannot be
// written.
#include "core/reports/ReportFormat.h"
#include "support/ReadOnlyFolder.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>

using namespace ks::test;
namespace fs = std::filesystem;

namespace {

std::string readText(const std::string& path) {
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

// fr_FR.UTF-8 compiled into a folder of the test's own (LOCPATH), so no system locale is
// needed; empty when localedef or the French definition is missing.
std::string frenchLocaleFolder(const TempFolder& folder) {
    const ProgramResult r = runProgram(
        "/usr/bin/localedef", {"-i", "fr_FR", "-f", "UTF-8", folder.path() + "/fr_FR.UTF-8"});
    return r.status == 0 ? folder.path() : std::string();
}

struct CliTestReport : ::testing::Test {
    void startSim(const std::vector<std::string>& args) {
        ASSERT_TRUE(sim.start(args)) << sim.error();
    }
    ProgramResult cli(const std::vector<std::string>& args,
                      std::map<std::string, std::string> env = {{"LC_ALL", "C"}}) {
        std::vector<std::string> all = {"--port", sim.path(), "--config", config(), "test"};
        all.insert(all.end(), args.begin(), args.end());
        env["CALYPTRON_HOME"] = home.path();
        return runProgram(KS_CLI_PATH, all, env);
    }
    std::string config() {
        const std::string path = home.path() + "/bench.CalyptronKS";
        if (!fs::exists(path))
            std::ofstream(path) << "[Com]\nPath Test=" << out.path()
                                << "\nPath Macro Test=" << macro
                                << "\n[Spreadsheet]\nPath Spreadsheet=\n";
        return path;
    }
    // The report path the program printed.
    static std::string reportOf(const ProgramResult& r) {
        std::smatch m;
        if (!std::regex_search(r.out, m, std::regex("\nreport: ([^\n]+)\n")))
            return {};
        return m[1];
    }
    TempFolder home, out, locales;
    SimProcess sim;
    std::string macro;
};

TEST_F(CliTestReport, ReportInAFrenchLocaleReadsBackLineByLine) {
    const std::string locpath = frenchLocaleFolder(locales);
    if (locpath.empty())
        GTEST_SKIP() << "fr_FR.UTF-8 cannot be made here (apt-get install locales, which "
                        "brings localedef and the French definition)";
    startSim({"--app", "2", "--quality-after", "1"});
    macro = "/opt/macros/KsnTest.xls";
    const ProgramResult r =
        cli({"--poll", "100"}, {{"LOCPATH", locpath}, {"LC_ALL", "fr_FR.UTF-8"}});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(
        std::regex_search(r.out, std::regex("^test passed: signal quality 100 after [12] s\n")))
        << r.out;
    const std::string report = reportOf(r);
    ASSERT_FALSE(report.empty()) << r.out;
    EXPECT_EQ(fs::path(report).parent_path(), fs::path(out.path()));
    EXPECT_TRUE(std::regex_match(fs::path(report).filename().string(),
                                 std::regex("TstKsn_07_03_00001 20[0-9]{2}(_[0-9]{2}){5}\\.prn")))
        << report;

    ks::TestReportData d;
    ks::reportformat::parse(readText(report), ",", d);
    EXPECT_EQ(d.serial, (std::array<double, 3>{7, 3, 1}));
    EXPECT_EQ(d.softwareReference.find('.'), std::string::npos) << d.softwareReference;
    EXPECT_EQ(d.outputPoints, (std::array<double, 4>{1160, 60500, 1160, 60500}));
    // Both chords of the two-chord meter: the polarity in use has four echoes, the other two.
    for (const ks::TestChannel& c : d.channels) {
        EXPECT_EQ(c.polarity, "Normal");
        EXPECT_EQ(c.margin, 12);
        EXPECT_EQ(c.normal[0].count, 8);
        EXPECT_EQ(c.normal[3].count, 2);
        EXPECT_EQ(c.normal[4].count, 0);
        EXPECT_EQ(c.inverse[1].count, 3);
        EXPECT_NEAR(c.normal[2].value, 190, 5);
    }
    // The macro finds the report through the transfer file.
    EXPECT_EQ(readText(out.path() + "/KSNTRANSFERT.$DAT"),
              "TYPE\tTEST\nF_IN\t" + report + "\nF_OUT\t" + report.substr(0, report.size() - 3) +
                  "xls\n");
    EXPECT_EQ(namesIn(out.path()).size(), 2u);
}

TEST_F(CliTestReport, WorkbookWithPointDecimals) {
    startSim({"--app", "1", "--quality-after", "0"});
    const ProgramResult r = cli({"--xlsx", "--out", out.path() + "/"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string report = reportOf(r);
    EXPECT_EQ(fs::path(report).extension(), ".xlsx");
    EXPECT_EQ(readText(report).rfind("PK", 0), 0u);
    EXPECT_EQ(namesIn(out.path()).size(), 1u) << "no transfer file without a macro";
}

// The echo tables never come: each failed read counts, and the fourth ends the test.
TEST_F(CliTestReport, FourFailedReadsEndWithoutAReport) {
    startSim({"--silent-block", "0xB00", "--quality-after", "0"});
    const ProgramResult r = runProgram(
        KS_CLI_PATH,
        {"--port", sim.path(), "--config", config(), "--timeout", "100", "test", "--poll", "0"},
        {{"CALYPTRON_HOME", home.path()}, {"LC_ALL", "C"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "test failed: 4 failed reads, no report\n");
    EXPECT_TRUE(namesIn(out.path()).empty());

    // A meter that does not answer the measurement block is not tested at all.
    sim.stop();
    startSim({"--silent-block", "0x10"});
    const ProgramResult mute = runProgram(
        KS_CLI_PATH,
        {"--port", sim.path(), "--config", config(), "--timeout", "100", "test", "--poll", "0"},
        {{"CALYPTRON_HOME", home.path()}, {"LC_ALL", "C"}});
    EXPECT_EQ(mute.status, 1);
    EXPECT_EQ(mute.out, "test failed: the meter could not be read, no report\n");
    EXPECT_TRUE(namesIn(out.path()).empty());
}

TEST_F(CliTestReport, UnwritableFolderShowsTheMessageAndLeavesNoFile) {
    ReadOnlyFolder locked;
    if (!locked.ready())
        GTEST_SKIP() << locked.why();
    startSim({"--quality-after", "0"});
    const ProgramResult r = cli({"--out", locked.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Impossible d'ouvrir le fichier : " + locked.path() + "/TstKsn_"),
              std::string::npos)
        << r.err;
    EXPECT_TRUE(r.err.find("Read-only file system") != std::string::npos ||
                r.err.find("Permission denied") != std::string::npos)
        << r.err;
    EXPECT_EQ(r.out, "test failed: the report could not be written\n");
    EXPECT_TRUE(namesIn(locked.path()).empty());
}

// Real time: the loop gives up waiting for 100 after 20 s, reads the echo tables and writes
// the report, and the verdict is a failure.
TEST_F(CliTestReport, QualityThatNeverReaches100EndsAfter20Seconds) {
    startSim({"--app", "1"});
    const auto start = std::chrono::steady_clock::now();
    const ProgramResult r = cli({"--poll", "500"});
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
            .count();
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_GE(seconds, 20);
    EXPECT_LT(seconds, 30);
    EXPECT_TRUE(std::regex_search(
        r.out, std::regex("^test failed: signal quality [0-9]{2} after 2[01] s, below 100\n")))
        << r.out;
    ks::TestReportData d;
    ks::reportformat::parse(readText(reportOf(r)), ".", d);
    EXPECT_EQ(d.channels[0].normal[0].count, 8);
}

} // namespace
