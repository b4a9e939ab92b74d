// calyptron-cli search: the meter's port, baud rate and slave number.
#include "app/ProfileFile.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>
#include <regex>

using namespace ks::test;

namespace {

struct CliSearch : ::testing::Test {
    // A configuration whose [Ports] puts the simulated meter (or nothing) on COM numbers.
    std::string configuration(const std::map<std::string, std::string>& ports) {
        const std::string path = home.path() + "/site.CalyptronKS";
        ks::CProfileFile profile(path);
        for (const auto& [number, device] : ports)
            EXPECT_EQ(profile.writeString("Ports", number, device), 0);
        return path;
    }
    ProgramResult cli(const std::vector<std::string>& args) {
        return runProgram(KS_CLI_PATH, args, {{"CALYPTRON_HOME", home.path()}});
    }
    TempFolder home;
    SimProcess sim;
};

TEST_F(CliSearch, FindsTheMeterAtItsPortAndRate) {
    ASSERT_TRUE(sim.start({"--baud", "4800", "--slave", "17"}));
    // Numbers no device of this machine takes: COM200 to COM202 stay empty.
    const std::string config = configuration({{"203", sim.path()}});
    const ProgramResult r =
        cli({"--config", config, "--timeout", "60", "search", "--ports", "200-203"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "found COM203 4800 bauds slave 17\n");
    EXPECT_EQ(r.err, "Com 203 - BlueTooth\nCom 203 - 9600 bauds\nCom 203 - 4800 bauds\n"
                     "L'appareil a été trouvé.\nDétection réussie !\n");
}

TEST_F(CliSearch, ReportsNotFound) {
    ASSERT_TRUE(sim.start({"--baud", "9600"}));
    const std::string config =
        configuration({{"3", sim.path()}, {"4", home.path() + "/no-such-device"}});
    // The meter answers at 9600 only, above the two rates tried.
    ProgramResult r = cli({"--config", config, "--timeout", "30", "search", "--ports", "3,4",
                           "--baud-limit", "2", "--lang", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Com 3 - 600 bauds\nCom 3 - 300 bauds\n"
                     "The device did not answer.\nSearch failed !\n");

    r = cli({"--config", config, "search", "--ports", "4"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "L'appareil n'a pas répondu.\nDétection échouée !\n");
}

TEST_F(CliSearch, FindsTheDemoMeter) {
    const ProgramResult r = cli({"--demo", "--timeout", "60", "search"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, std::regex("found COM[0-9]+ 9600 bauds slave 1\n")))
        << r.out;
}

TEST_F(CliSearch, RefusesBadArguments) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"search", "--ports", "0"},
             {"search", "--ports", "4-2"},
             {"search", "--ports", "1,"},
             {"search", "--ports", "1-256"},
             {"search", "--baud-limit", "9"},
             {"search", "--lang", "6"},
             {"search", "--ports"},
             {"search", "extra"},
         }) {
        const ProgramResult r = cli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("usage: search"), std::string::npos) << r.err;
    }
}

} // namespace
