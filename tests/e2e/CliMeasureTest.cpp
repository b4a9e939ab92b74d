// calyptron-cli measure against the simulated meter: what the measurement dialog shows.
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

using namespace ks::test;

namespace {

struct CliMeasure : ::testing::Test {
    ProgramResult measure(const std::vector<std::string>& simArgs,
                          const std::vector<std::string>& args) {
        EXPECT_TRUE(sim.start(simArgs)) << sim.error();
        std::vector<std::string> all = {"--port", sim.path(), "measure", "--period", "20"};
        all.insert(all.end(), args.begin(), args.end());
        return runProgram(KS_CLI_PATH, all, {{"CALYPTRON_HOME", home.path()}});
    }
    TempFolder home;
    SimProcess sim;
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST_F(CliMeasure, OneChordMeterInFrench) {
    const ProgramResult r = measure({"--app", "1"}, {"--count", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> out = lines(r.out);
    EXPECT_EQ(out.front(), "--- 1");
    EXPECT_EQ(std::count(out.begin(), out.end(), "--- 2"), 1);
    EXPECT_EQ(std::count(out.begin(), out.end(), "--- 3"), 0);
    for (const char* expected :
         {"Version", "  Calyptron: CALYPTRON M01", "  N° de Série: 07/03/00001", "Corde 1", "Sonde",
          "Kh", "Totalisateur(s)", "  Pas de Défaut"})
        EXPECT_NE(std::find(out.begin(), out.end(), expected), out.end()) << expected << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\n  Débit: -?[0-9.]+ m3/h\n"))) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\n  \\(E.S.C\\) Marge: [0-9]+ dB\n")));
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\n  Tot. 1 \\(\\+/-\\): [0-9]{9} \\*dl\n")));
    EXPECT_EQ(r.out.find("Corde 2"), std::string::npos);
    EXPECT_EQ(r.out.find("Q2"), std::string::npos);
    EXPECT_EQ(r.out.find("Kh2"), std::string::npos);
}

TEST_F(CliMeasure, TwoPipeMeterAsJsonInEnglish) {
    const ProgramResult r =
        measure({"--app", "3", "--faults", "2"}, {"--count", "3", "--json", "--lang", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 3u) << r.out;
    for (std::size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].rfind("{\"sample\":" + std::to_string(i + 1) + ",\"groups\":[", 0), 0u);
        EXPECT_EQ(out[i].back(), '}');
    }
    for (const char* expected :
         {"\"title\":\"Pipe 1\"", "\"title\":\"Pipe 2\"", "\"label\":\"QT\"", "\"label\":\"Q2\"",
          "\"label\":\"Kh2\"", "\"value\":\"V1 Fault\"", "\"label\":\"Tot. 1 (QT +/-)\""})
        EXPECT_NE(out[2].find(expected), std::string::npos) << expected << "\n" << out[2];
    EXPECT_EQ(out[2].find("\"label\":\"Flow\""), std::string::npos) << "QT replaces the flow";
}

TEST_F(CliMeasure, SpeedApplicationFromTheConfiguration) {
    {
        std::ofstream cfg(home.path() + "/default.CalyptronKS");
        cfg << "[Com]\r\nApplication=1.000000\r\n";
    }
    const ProgramResult r = measure({}, {"--count", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("Débit"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Totalisateur"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  Vitesse: "), std::string::npos) << r.out;
}

TEST_F(CliMeasure, BadArgumentsAndADeadLine) {
    EXPECT_EQ(runProgram(KS_CLI_PATH, {"measure", "--lang", "6"}, {{"CALYPTRON_HOME", home.path()}})
                  .status,
              2);
    const ProgramResult r = measure({"--slave", "5"}, {"--count", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("error 251"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

} // namespace
