// calyptron-cli through the simulated meter's Hayes modem: dial, the command, hang up.
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

using namespace ks::test;

namespace {

struct CliModem : ::testing::Test {
    ProgramResult cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", sim.path(), "--modem"});
        return runProgram(KS_CLI_PATH, args, {{"CALYPTRON_HOME", home.path()}});
    }
    TempFolder home;
    SimProcess sim;
};

TEST_F(CliModem, DialsRunsTheCommandAndHangsUp) {
    ASSERT_TRUE(sim.start({"--modem", "--modem-delay", "200"}));
    ProgramResult r = cli({"--phone", "0123", "measure", "--count", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Dialling : ATDT0123"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("CONNECT 9600"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Hang up : AT H0"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Débit"), std::string::npos) << r.out;

    // A command that fails still leaves the line hung up; then the meter can be dialled again.
    r = cli({"--phone", "0123", "--pulse", "read", "0x7777", "1"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("ATDP0123"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Hang up : AT H0"), std::string::npos) << r.err;
    r = cli({"--phone", "0123", "ident"});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(CliModem, BusyLineEndsWithoutHangingUp) {
    ASSERT_TRUE(sim.start({"--modem", "--modem-delay", "100"}));
    const ProgramResult r = cli({"--phone", "0123busy", "ident"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Line busy !"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("error 252"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("+++"), std::string::npos) << r.err;
}

} // namespace
