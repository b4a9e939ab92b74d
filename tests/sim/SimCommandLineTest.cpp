// Options of calyptron-sim.
#include "sim/SimCommandLine.h"

#include <gtest/gtest.h>

using namespace ks::sim;

TEST(SimCommandLine, DefaultsWithoutOptions) {
    SimCommandLine c;
    std::string error;
    ASSERT_TRUE(parseSimCommandLine({}, c, error));
    EXPECT_EQ(c.options.slave, 1);
    EXPECT_EQ(c.options.baud, 9600);
    EXPECT_EQ(c.options.app, 1);
    EXPECT_FALSE(c.options.pace);
    EXPECT_EQ(c.options.seed, 1u);
    EXPECT_TRUE(c.options.firmware.empty());
    EXPECT_TRUE(c.link.empty());
}

TEST(SimCommandLine, EveryOptionIsTaken) {
    SimCommandLine c;
    std::string error;
    ASSERT_TRUE(parseSimCommandLine({"--link",
                                     "/tmp/meter",
                                     "--slave",
                                     "247",
                                     "--baud",
                                     "115200",
                                     "--app",
                                     "3",
                                     "--pace",
                                     "--drop",
                                     "0.25",
                                     "--corrupt",
                                     "1",
                                     "--noise",
                                     "0",
                                     "--delay",
                                     "40",
                                     "--seed",
                                     "18446744073709551615",
                                     "--firmware",
                                     "V2-CKS-9.99 beta",
                                     "--faults",
                                     "0x8005",
                                     "--refuse-write",
                                     "2306"},
                                    c, error))
        << error;
    EXPECT_EQ(c.link, "/tmp/meter");
    EXPECT_EQ(c.options.slave, 247);
    EXPECT_EQ(c.options.baud, 115200);
    EXPECT_EQ(c.options.app, 3);
    EXPECT_TRUE(c.options.pace);
    EXPECT_DOUBLE_EQ(c.options.drop, 0.25);
    EXPECT_DOUBLE_EQ(c.options.corrupt, 1.0);
    EXPECT_EQ(c.options.delayMs, 40);
    EXPECT_EQ(c.options.seed, 18446744073709551615ull);
    EXPECT_EQ(c.options.firmware, "V2-CKS-9.99 beta");
    EXPECT_EQ(c.options.faults, 0x8005u);
    EXPECT_EQ(c.options.refuseWrite, 0x2306);

    ASSERT_TRUE(parseSimCommandLine({"--faults", "1F"}, c, error));
    EXPECT_EQ(c.options.faults, 0x1Fu);
}

TEST(SimCommandLine, RejectsBadOptions) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--slave"},
        {"--slave", "0"},
        {"--slave", "248"},
        {"--slave", "5x"},
        {"--baud", "1234"},
        {"--baud", "-9600"},
        {"--app", "0"},
        {"--app", "4"},
        {"--drop", "1.5"},
        {"--noise", "-0.1"},
        {"--corrupt", "nan"},
        {"--delay", "-1"},
        {"--delay", "60001"},
        {"--seed", "-1"},
        {"--firmware", ""},
        {"--firmware", "ABCDEFGHIJKLMNOPQRSTU"},
        {"--firmware", "V2\n"},
        {"--faults", "10000"},
        {"--faults", "0x"},
        {"--faults", "xyz"},
        {"--refuse-write", "12345"},
        {"--link", ""},
        {"extra"},
    };
    for (const auto& args : cases) {
        SimCommandLine c;
        std::string error;
        EXPECT_FALSE(parseSimCommandLine(args, c, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(SimCommandLine, QualityAfterAndSilentBlocks) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        double qualityAfter;
        std::vector<int> silent;
    };
    const Case cases[] = {
        {{}, true, -1, {}},
        {{"--quality-after", "2.5"}, true, 2.5, {}},
        {{"--quality-after", "0"}, true, 0, {}},
        {{"--quality-after", "never"}, true, -1, {}},
        {{"--quality-after", "-1"}, false, 0, {}},
        {{"--quality-after", "soon"}, false, 0, {}},
        {{"--silent-block", "0x10", "--silent-block", "B00"}, true, -1, {0x10, 0xB00}},
        {{"--silent-block", "0x11"}, false, 0, {}}, // not the start of a block
        {{"--silent-block", "0x9999"}, false, 0, {}},
    };
    for (const Case& c : cases) {
        SimCommandLine line;
        std::string error;
        EXPECT_EQ(parseSimCommandLine(c.args, line, error), c.ok) << testing::PrintToString(c.args);
        if (c.ok) {
            EXPECT_EQ(line.options.qualityAfterSeconds, c.qualityAfter);
            EXPECT_EQ(line.options.silentBlocks, c.silent);
        }
    }
}
