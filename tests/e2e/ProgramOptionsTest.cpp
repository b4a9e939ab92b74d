// --version, --help and a wrong option, in the usual form, for the command-line programs.
#include "support/RunProgram.h"

#include <gtest/gtest.h>

using namespace ks::test;

namespace {

struct Program {
    const char* path;
    const char* name;
};
const Program kPrograms[] = {{KS_CLI_PATH, "calyptron-cli"}, {KS_SIM_PATH, "calyptron-sim"}};

TEST(ProgramOptions, VersionHelpAndUnknownOption) {
    TempFolder home;
    const std::map<std::string, std::string> env{{"CALYPTRON_HOME", home.path()}};
    for (const Program& p : kPrograms) {
        SCOPED_TRACE(p.name);
        ProgramResult r = runProgram(p.path, {"--version"}, env);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, std::string(p.name) + " 1.0.0\n");

        r = runProgram(p.path, {"--help"}, env);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind(std::string("usage: ") + p.name, 0), 0u) << r.out;
        EXPECT_TRUE(r.err.empty());

        r = runProgram(p.path, {"--frobnicate"}, env);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("--frobnicate"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage: "), std::string::npos) << r.err;
    }
}

} // namespace
