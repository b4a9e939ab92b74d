// calyptron-sim as a separate program: start-up line, link, raw serial traffic, signals.
#include "support/SimProcess.h"
#include "SimTestSupport.h"
#include "app/Version.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ks;
using namespace ks::simtest;

namespace {

std::string tempLink(const char* name) {
    return ::testing::TempDir() + "calyptron-sim-" + std::to_string(::getpid()) + "-" + name;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

} // namespace

TEST(SimProcess, ServesThroughItsLinkAndEndsOnSigterm) {
    const std::string link = tempLink("meter");
    test::SimProcess sim;
    ASSERT_TRUE(sim.start({"--link", link, "--slave", "3", "--app", "2", "--faults", "0x4",
                           "--firmware", "V2-CKS-4.10"}))
        << sim.error();
    EXPECT_EQ(sim.path().rfind("/dev/pts/", 0), 0u) << sim.path();
    ASSERT_TRUE(exists(link));

    RawTty tty;
    ASSERT_TRUE(tty.open(link, 9600));
    Exchange x;
    ASSERT_TRUE(tty.send(x.read(3, 0xFF00, 25)));
    Bytes ident;
    ASSERT_EQ(x.check(tty.receive(55, 2000), &ident), 0);
    EXPECT_EQ(ident[1], 3);
    EXPECT_EQ(textAt(ident, 10, 20), "V2-CKS-4.10");

    ASSERT_TRUE(tty.send(x.read(3, 0x0010, 82)));
    Bytes meas;
    ASSERT_EQ(x.check(tty.receive(169, 2000), &meas), 0);
    EXPECT_EQ(meas[118], 2);            // two chords
    EXPECT_EQ(meas[163], 1);            // second-chord flag
    EXPECT_EQ(u16At(meas, 22), 0x0004); // fault flags

    tty.close();
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(exists(link)) << "the link goes with the simulator";
}

TEST(SimProcess, SilentAtAnotherBaudRate) {
    test::SimProcess sim;
    ASSERT_TRUE(sim.start({"--baud", "2400"})) << sim.error();
    RawTty tty;
    ASSERT_TRUE(tty.open(sim.path(), 9600));
    Exchange x;
    ASSERT_TRUE(tty.send(x.read(1, 0xFF00, 25)));
    EXPECT_TRUE(tty.receiveUntilQuiet(300).empty());
    ASSERT_TRUE(tty.setBaud(2400));
    ASSERT_TRUE(tty.send(x.read(1, 0xFF00, 25)));
    Bytes ident;
    ASSERT_EQ(x.check(tty.receive(55, 2000), &ident), 0);
    EXPECT_EQ(textAt(ident, 10, 20).rfind(version::versionPrefix(), 0), 0u);
    EXPECT_EQ(sim.stop(), 0);
}

TEST(SimProcess, BadOptionsEndWithStatus2) {
    const std::vector<std::vector<std::string>> cases = {
        {"--app", "4"}, {"--bogus"}, {"--baud", "1234"}, {"--drop", "2"}, {"--slave"}};
    for (const auto& args : cases) {
        test::SimProcess sim;
        EXPECT_FALSE(sim.start(args)) << args[0];
        EXPECT_EQ(sim.exitStatus(), 2) << args[0];
    }
}

TEST(SimProcess, RefusesToReplaceARealFile) {
    const std::string file = tempLink("file");
    FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    test::SimProcess sim;
    EXPECT_FALSE(sim.start({"--link", file}));
    EXPECT_EQ(sim.exitStatus(), 1);
    EXPECT_TRUE(exists(file));
    ::unlink(file.c_str());
}
