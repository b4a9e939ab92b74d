// The simulated meter served on a pseudo-terminal, in this process.
#include "sim/SimServer.h"
#include "SimTestSupport.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace ks;
using namespace ks::simtest;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kReplyTimeoutMs = 2000;

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

class SimServer : public ::testing::Test {
protected:
    void serve(sim::SimOptions options = {}) {
        server = std::make_unique<sim::CSimServer>(options);
        std::string error;
        ASSERT_TRUE(server->start(&error)) << error;
        ASSERT_FALSE(server->slavePath().empty());
    }

    // Reads the identification block; 0 and its bytes, or the link's code (251: silence).
    int readIdent(RawTty& tty, Bytes* data = nullptr, int slave = 1) {
        Exchange x;
        if (!tty.send(x.read(slave, 0xFF00, 25)))
            return -1;
        const Bytes reply = tty.receive(55, kReplyTimeoutMs);
        if (reply.empty())
            return 251;
        return x.check(reply, data);
    }

    std::unique_ptr<sim::CSimServer> server;
};

} // namespace

TEST_F(SimServer, AnswersOverThePseudoTerminalAcrossReopens) {
    serve();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        RawTty tty;
        ASSERT_TRUE(tty.open(server->slavePath(), 9600));
        Bytes data;
        ASSERT_EQ(readIdent(tty, &data), 0);
        EXPECT_EQ(data[1], 1);
        Exchange x;
        ASSERT_TRUE(tty.send(x.read(1, 0x0000, 1)));
        EXPECT_EQ(x.check(tty.receive(5, kReplyTimeoutMs)), 152);
        // Closing between runs must not hang the line up for the next client.
    }
}

TEST_F(SimServer, AnswersOnlyAtItsBaudRate) {
    sim::SimOptions o;
    o.baud = 4800;
    serve(o);
    RawTty tty;
    ASSERT_TRUE(tty.open(server->slavePath(), 9600));
    Exchange x;
    ASSERT_TRUE(tty.send(x.read(1, 0xFF00, 25)));
    EXPECT_TRUE(tty.receiveUntilQuiet(300).empty());
    ASSERT_TRUE(tty.setBaud(4800));
    EXPECT_EQ(readIdent(tty), 0);
}

TEST_F(SimServer, AssemblesARequestSentInPieces) {
    serve();
    RawTty tty;
    ASSERT_TRUE(tty.open(server->slavePath(), 9600));
    Exchange x;
    const Bytes req = x.read(1, 0x1100, 70);
    for (std::uint8_t b : req) {
        ASSERT_TRUE(tty.send({b}));
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    Bytes data;
    EXPECT_EQ(x.check(tty.receive(145, kReplyTimeoutMs), &data), 0);
    EXPECT_EQ(data.size(), 140u);
}

TEST_F(SimServer, RecoversFromGarbageAfterASilence) {
    serve();
    RawTty tty;
    ASSERT_TRUE(tty.open(server->slavePath(), 9600));
    ASSERT_TRUE(tty.send({0x01, 0x03, 0x10, 0x00, 0x00, 0x01, 0xAA, 0xBB, 0x01, 0x10, 0x20}));
    EXPECT_TRUE(tty.receiveUntilQuiet(200).empty());
    EXPECT_EQ(readIdent(tty), 0);
}

TEST_F(SimServer, InjectsLineFaults) {
    struct Case {
        const char* what;
        double drop, corrupt;
        int expected;
    };
    const Case cases[] = {{"drop", 1, 0, 251}, {"corrupt", 0, 1, 201}, {"none", 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::SimOptions o;
        o.drop = c.drop;
        o.corrupt = c.corrupt;
        serve(o);
        RawTty tty;
        ASSERT_TRUE(tty.open(server->slavePath(), 9600));
        Exchange x;
        ASSERT_TRUE(tty.send(x.read(1, 0xFF00, 25)));
        const Bytes reply = tty.receive(55, c.expected == 251 ? 300 : kReplyTimeoutMs);
        EXPECT_EQ(reply.empty() ? 251 : x.check(reply), c.expected);
    }
}

TEST_F(SimServer, DelaysAndPacesReplies) {
    // Only lower bounds: a loaded machine may always be slower.
    struct Case {
        const char* what;
        int baud;
        bool pace;
        int delayMs;
        double atLeast;
    };
    const Case cases[] = {
        {"delay", 9600, false, 150, 0.140},
        // 8 request bytes and 7 reply bytes at 1200 baud: (8 + 6) x 8.3 ms before the last.
        {"pace", 1200, true, 0, 0.110},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::SimOptions o;
        o.baud = c.baud;
        o.pace = c.pace;
        o.delayMs = c.delayMs;
        serve(o);
        RawTty tty;
        ASSERT_TRUE(tty.open(server->slavePath(), c.baud));
        Exchange x;
        const auto sent = Clock::now();
        ASSERT_TRUE(tty.send(x.read(1, 0x1100, 1)));
        EXPECT_EQ(x.check(tty.receive(7, kReplyTimeoutMs)), 0);
        EXPECT_GE(secondsSince(sent), c.atLeast);
    }
}

TEST_F(SimServer, StopsPromptlyWhileAReplyIsDelayed) {
    sim::SimOptions o;
    o.delayMs = 60000;
    serve(o);
    RawTty tty;
    ASSERT_TRUE(tty.open(server->slavePath(), 9600));
    Exchange x;
    ASSERT_TRUE(tty.send(x.read(1, 0xFF00, 25)));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto t = Clock::now();
    server->stop();
    EXPECT_LT(secondsSince(t), 2.0);
    EXPECT_TRUE(server->slavePath().empty());
}

TEST_F(SimServer, MeterIsReachableWhileServing) {
    serve();
    server->meter().setReg(0x0010 + 11, 0x0002);
    RawTty tty;
    ASSERT_TRUE(tty.open(server->slavePath(), 9600));
    Exchange x;
    ASSERT_TRUE(tty.send(x.read(1, 0x0010, 82)));
    Bytes data;
    ASSERT_EQ(x.check(tty.receive(169, kReplyTimeoutMs), &data), 0);
    EXPECT_EQ(u16At(data, 22), 0x0002);
}
