// calyptron-cli record and export against the simulated meter: the recording file, the text
// and workbook exports opened by LibreOffice, and recordings killed at random moments.
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include "measurement/MeasureRecording.h"
#include "settings/files/RecordFile.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace ks::test;

namespace {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> out;
    std::string cell;
    for (char c : line) {
        if (c == '\t' || c == ',') {
            out.push_back(cell);
            cell.clear();
        } else if (c != '"' && c != '\r') {
            cell.push_back(c);
        }
    }
    out.push_back(cell);
    return out;
}

int samplesIn(const std::string& path) {
    ks::CRecordFile f;
    if (f.open(path) != ks::RecordFileStatus::Ok)
        return -1;
    return f.recordCount() / ks::kBlocksPerSample;
}

std::string soffice() {
    for (const char* p : {"/usr/bin/soffice", "/usr/bin/libreoffice", "/usr/bin/localc"})
        if (::access(p, X_OK) == 0)
            return p;
    return {};
}

struct CliRecord : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(sim.start({"--app", "1"})) << sim.error(); }
    ProgramResult cli(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"--port", sim.path()};
        all.insert(all.end(), args.begin(), args.end());
        return runProgram(KS_CLI_PATH, all, {{"CALYPTRON_HOME", home.path()}, {"LC_ALL", "C"}});
    }
    std::string file(const std::string& name) const { return work.path() + "/" + name; }
    TempFolder home, work;
    SimProcess sim;
};

TEST_F(CliRecord, RecordsThenExportsTextAndWorkbook) {
    const std::string mes = file("run.mes");
    ProgramResult r = cli({"record", mes, "--samples", "4", "--period", "1", "--poll", "50"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto out = splitLines(r.out);
    ASSERT_GE(out.size(), 5u) << r.out;
    EXPECT_EQ(out[0], "Enregistrement 1");
    EXPECT_EQ(out[3], "Enregistrement 4");
    EXPECT_EQ(samplesIn(mes), 4);

    // Recording again into the file continues after its samples.
    r = cli({"record", mes, "--samples", "2", "--period", "1", "--poll", "50"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("4 samples already in"), std::string::npos) << r.out;
    EXPECT_EQ(samplesIn(mes), 6);

    const std::string before = readText(mes);
    r = cli({"export", mes, file("run.prn"), "--summary", "--lang", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Number of samples\t6\n"), std::string::npos) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("Mean flow\t-?[0-9.]+ m3/h\n"))) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("Volume\t-?[0-9.]+ m3\n"))) << r.out;
    const auto text = splitLines(readText(file("run.prn")));
    ASSERT_EQ(text.size(), 7u);
    EXPECT_EQ(text[0].rfind("No.\tDate\tTime\tDateTime\tFlow\tQ Unit\t", 0), 0u) << text[0];
    for (int i = 1; i <= 6; ++i) {
        const auto cells = splitTabs(text[static_cast<std::size_t>(i)]);
        ASSERT_EQ(cells.size(), 28u) << text[static_cast<std::size_t>(i)]; // 27 and the last tab
        EXPECT_EQ(cells[0], std::to_string(i));
        EXPECT_EQ(cells[5], "m3/h");
        EXPECT_EQ(cells[26], "07/03/00001");
    }
    r = cli({"export", mes, file("run.xlsx")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readText(file("run.xlsx")).rfind("PK", 0), 0u);
    EXPECT_EQ(readText(mes), before) << "the export wrote into the recording";

    // LibreOffice opens both into cells holding the recorded values.
    const std::string office = soffice();
    if (office.empty())
        GTEST_SKIP() << "LibreOffice is not installed (apt-get install libreoffice-calc-nogui): "
                        "the spreadsheet round trip is not checked";
    const std::string out1 = file("lo-prn"), out2 = file("lo-xlsx");
    const std::map<std::string, std::string> env = {{"HOME", home.path()}};
    ProgramResult c = runProgram(office,
                                 {"--headless", "--infilter=Text - txt - csv (StarCalc):9,34,76,1",
                                  "--convert-to", "csv", "--outdir", out1, file("run.prn")},
                                 env);
    ASSERT_EQ(c.status, 0) << c.err;
    c = runProgram(office,
                   {"--headless", "--convert-to", "csv", "--outdir", out2, file("run.xlsx")}, env);
    ASSERT_EQ(c.status, 0) << c.err;
    const auto fromText = splitLines(readText(out1 + "/run.csv"));
    const auto fromBook = splitLines(readText(out2 + "/run.csv"));
    ASSERT_EQ(fromText.size(), 7u) << readText(out1 + "/run.csv");
    ASSERT_EQ(fromBook.size(), 7u) << readText(out2 + "/run.csv");
    for (std::size_t i = 1; i < 7; ++i) {
        const auto want = splitTabs(text[i]);
        const auto a = splitTabs(fromText[i]);
        const auto b = splitTabs(fromBook[i]);
        ASSERT_GE(a.size(), 27u);
        ASSERT_GE(b.size(), 27u);
        // Sample number, flow, velocity, chord 1 transit time: numbers equal to the recorded.
        for (int col : {0, 4, 6, 16}) {
            EXPECT_DOUBLE_EQ(std::stod(a[static_cast<std::size_t>(col)]),
                             std::stod(want[static_cast<std::size_t>(col)]))
                << "text, row " << i << " col " << col;
            EXPECT_DOUBLE_EQ(std::stod(b[static_cast<std::size_t>(col)]),
                             std::stod(want[static_cast<std::size_t>(col)]))
                << "workbook, row " << i << " col " << col;
        }
    }
}

TEST_F(CliRecord, ExportFailuresSayWhy) {
    const std::string bad = file("bad.mes");
    std::ofstream(bad) << "not a recording at all, just some text";
    ProgramResult r = cli({"export", bad, file("o.prn")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Fichier incorrect"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(file("o.prn")));
    r = cli({"export", file("missing.mes"), file("o.prn")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Impossible d'ouvrir le fichier : No such file"), std::string::npos)
        << r.err;
}

// kill -9 at random moments: every file opens and exports with every sample that was
// reported written.
TEST_F(CliRecord, KilledRecordingsKeepEveryCompleteSample) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> delay(200, 2500);
    int withSamples = 0;
    for (int run = 0; run < 20; ++run) {
        const std::string mes = file("k" + std::to_string(run) + ".mes");
        const std::string log = file("k" + std::to_string(run) + ".log");
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, 1);
            ::setenv("CALYPTRON_HOME", home.path().c_str(), 1);
            ::execl(KS_CLI_PATH, KS_CLI_PATH, "--port", sim.path().c_str(), "record", mes.c_str(),
                    "--period", "1", "--poll", "10", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(rng)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        int reported = 0;
        for (const auto& line : splitLines(readText(log)))
            if (line.rfind("Enregistrement ", 0) == 0)
                reported = std::stoi(line.substr(15));
        if (!std::filesystem::exists(mes)) {
            EXPECT_EQ(reported, 0);
            continue;
        }
        const int samples = samplesIn(mes);
        EXPECT_GE(samples, reported) << "run " << run;
        EXPECT_LE(samples, reported + 1) << "run " << run;
        withSamples += samples > 0 ? 1 : 0;
        const ProgramResult r = cli({"export", mes, file("k.prn")});
        ASSERT_EQ(r.status, 0) << "run " << run << ": " << r.err;
        EXPECT_EQ(splitLines(readText(file("k.prn"))).size(),
                  static_cast<std::size_t>(samples + 1));
    }
    EXPECT_GT(withSamples, 5) << "the recordings were killed before they wrote anything";
}

} // namespace
