// calyptron-cli as a user runs it: options, configuration, output formats, failures.
#include "app/ProfileFile.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>

using namespace ks::test;

namespace {

struct Cli : ::testing::Test {
    ProgramResult cli(const std::vector<std::string>& args) {
        return runProgram(KS_CLI_PATH, args, {{"CALYPTRON_HOME", home.path()}});
    }
    TempFolder home;
    SimProcess sim;
};

TEST_F(Cli, ReadsIdentificationAndRegisters) {
    ASSERT_TRUE(sim.start({"--slave", "17"}));
    ProgramResult r = cli({"--port", sim.path(), "--slave", "17", "ident"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("slave: 17\n"), std::string::npos) << r.out;
    EXPECT_TRUE(std::regex_search(r.out, std::regex("firmware: V2-CKS-[^\n]+\n"))) << r.out;

    r = cli({"--port", sim.path(), "--slave", "17", "write", "0x1114", "0x1234", "4660"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli({"--port", sim.path(), "--slave", "17", "read", "0x1114", "2"});
    EXPECT_EQ(r.out, "1234 1234\n");
}

TEST_F(Cli, TraceShowsFramesOnStderr) {
    ASSERT_TRUE(sim.start({}));
    const ProgramResult r = cli({"--port", sim.path(), "--trace", "read", "0xFF00", "1"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(
        std::regex_search(r.err, std::regex("TX 01 03 ff 00 00 01 [0-9a-f]{2} [0-9a-f]{2}\n")))
        << r.err;
    EXPECT_TRUE(std::regex_search(r.err, std::regex("RX 01 03 02 00 01 [0-9a-f]{2} [0-9a-f]{2}\n")))
        << r.err;
}

TEST_F(Cli, FailuresNameTheCodeAndExitNonZero) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;
    };
    const std::vector<Case> cases = {
        {{"--port", "/dev/no-such-port", "ident"}, 1, "error 253: serial port cannot be opened"},
        {{"--port", "/dev/no-such-port", "ident"}, 1, "error -14: no such port"},
        {{"read", "0x10"}, 2, "usage: read"},
        {{"read", "0x10", "126"}, 2, "usage: read"},
        {{"write", "0x10", "0x10000"}, 2, "not a 16-bit word"},
        {{"--slave", "300", "ident"}, 2, "bad option"},
        {{"frobnicate"}, 2, "unknown command"},
    };
    for (const Case& k : cases) {
        const ProgramResult r = cli(k.args);
        EXPECT_EQ(r.status, k.status) << k.args.back();
        EXPECT_NE(r.err.find(k.err), std::string::npos) << r.err;
    }
    ASSERT_TRUE(sim.start({"--drop", "1"}));
    const ProgramResult r = cli({"--port", sim.path(), "--timeout", "50", "read", "0x10", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("error 251: no reply"), std::string::npos) << r.err;
}

TEST_F(Cli, TakesPortBaudAndSlaveFromTheConfiguration) {
    ASSERT_TRUE(sim.start({"--slave", "9", "--baud", "4800"}));
    const std::string config = home.path() + "/site.CalyptronKS";
    ks::CProfileFile profile(config);
    ASSERT_EQ(profile.writeString("Ports", "3", sim.path()), 0);
    ASSERT_EQ(profile.writeNumber("Com", "Port", 2), 0);  // COM3
    ASSERT_EQ(profile.writeNumber("Com", "Bauds", 4), 0); // 4800
    ASSERT_EQ(profile.writeNumber("Com", "JBus", 9), 0);
    ProgramResult r = cli({"--config", config, "ident"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("slave: 9\n"), std::string::npos);
    // The configuration used last is remembered for the next run.
    r = cli({"ident"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("slave: 9\n"), std::string::npos);
    EXPECT_EQ(
        ks::CProfileFile(home.path() + "/last.cfg").readString("LastConfig", "LastConfig", ""),
        config);
}

TEST_F(Cli, PollPrintsOneLinePerExchange) {
    ASSERT_TRUE(sim.start({}));
    ProgramResult r =
        cli({"--port", sim.path(), "poll", "0x10", "82", "--period", "5", "--count", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, std::regex("(ok( [0-9A-F]{4}){82}\n){3}"))) << r.out;
    sim.stop();
    ASSERT_TRUE(sim.start({"--drop", "1"}));
    r = cli({"--port", sim.path(), "--timeout", "20", "poll", "0x10", "2", "--period", "1",
             "--count", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "fail 251: no reply from the meter\nfail 251: no reply from the meter\n");
}

TEST_F(Cli, BenchReportsRateAndCpu) {
    ASSERT_TRUE(sim.start({}));
    const ProgramResult r = cli({"--port", sim.path(), "bench", "0x10", "82", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(
        r.out, std::regex("20 transactions in [0-9.]+ s: [0-9.]+/s, CPU [0-9.]+ us/transaction, "
                          "[0-9]+\\.[0-9]{4} x wire time\n")))
        << r.out;
}

TEST_F(Cli, DemoRunsWithoutHardware) {
    const ProgramResult r = cli({"--demo", "read", "0xFF00", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0001\n");
}

} // namespace
