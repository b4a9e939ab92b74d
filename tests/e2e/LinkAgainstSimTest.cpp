// The master link against the simulated meter as a separate process, with line faults.
#include "link/JBusLink.h"
#include "link/ResultCodes.h"
#include "support/SimProcess.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace ks;
using ks::test::SimProcess;

namespace {

struct LinkAgainstSim : ::testing::Test {
    bool startSim(const std::vector<std::string>& args, int timeoutMs = 300) {
        if (!sim.start(args))
            return false;
        link.serialLink().portTable().assign(9, sim.path());
        link.setFirstByteTimeout(timeoutMs);
        bool connected = false;
        return link.open(9, 5, 'N', 8, 1, false, connected) == 0;
    }
    Bytes read(int address, int count, int* code = nullptr) {
        Bytes data;
        const int r = link.transaction(1, 3, address, count, data, 2);
        if (code)
            *code = r;
        return data;
    }
    SimProcess sim;
    CJBusLink link;
};

TEST_F(LinkAgainstSim, DroppedRepliesFailAfterThreeTimeOuts) {
    ASSERT_TRUE(startSim({"--drop", "1"}, 100));
    const auto t0 = std::chrono::steady_clock::now();
    int code = 0;
    EXPECT_TRUE(read(0xFF00, 25, &code).empty());
    const auto elapsed = std::chrono::steady_clock::now() - t0;
    EXPECT_EQ(code, LINK_NO_REPLY);
    EXPECT_EQ(link.attempt(), 3);
    EXPECT_GE(elapsed, std::chrono::milliseconds(300)) << "three first-byte time-outs";
}

TEST_F(LinkAgainstSim, CorruptedRepliesAreRetried) {
    ASSERT_TRUE(startSim({"--corrupt", "0.3", "--seed", "7"}));
    int failures = 0;
    for (int i = 0; i < 40; ++i) {
        int code = 0;
        read(0xFF00, 25, &code);
        failures += code != 0;
    }
    // A read fails only when all three attempts are corrupted (0.3^3 = 2.7 %).
    EXPECT_LE(failures, 5);
}

TEST_F(LinkAgainstSim, NoiseNeverYieldsAWrongValue) {
    ASSERT_TRUE(startSim({}));
    int code = -1;
    const Bytes clean = read(0xFF00, 25, &code);
    ASSERT_EQ(code, 0);
    const Bytes settings = read(0x1100, 60, &code);
    ASSERT_EQ(code, 0);
    sim.stop();
    link.close();
    ASSERT_TRUE(startSim({"--noise", "0.6", "--corrupt", "0.2", "--seed", "11"}, 150));
    int good = 0;
    for (int i = 0; i < 60; ++i) {
        const bool ident = i % 2 == 0;
        const Bytes got = ident ? read(0xFF00, 25, &code) : read(0x1100, 60, &code);
        if (code == 0) {
            ++good;
            ASSERT_EQ(got, ident ? clean : settings) << "a garbled reply was accepted, read " << i;
        } else {
            EXPECT_TRUE(got.empty());
        }
    }
    EXPECT_GT(good, 0);
}

TEST_F(LinkAgainstSim, AnswersOnlyAtItsBaudRate) {
    ASSERT_TRUE(startSim({"--baud", "4800"}, 100));
    int code = 0;
    read(0xFF00, 25, &code);
    EXPECT_EQ(code, LINK_NO_REPLY) << "9600 is not the meter's rate";
    bool connected = false;
    ASSERT_EQ(link.open(9, 4, 'N', 8, 1, false, connected), 0);
    read(0xFF00, 25, &code);
    EXPECT_EQ(code, 0);
}

TEST_F(LinkAgainstSim, PacedLineStillAnswers) {
    ASSERT_TRUE(startSim({"--pace"}));
    int code = 0;
    const auto t0 = std::chrono::steady_clock::now();
    const Bytes data = read(0x10, 82, &code);
    const auto elapsed = std::chrono::steady_clock::now() - t0;
    ASSERT_EQ(code, 0);
    EXPECT_EQ(data.size(), 164u);
    // 177 bytes of 10 bits at 9600 baud cannot cross faster than their wire time.
    EXPECT_GE(elapsed, std::chrono::microseconds(177 * 10 * 1000000 / 9600));
}

} // namespace
