#include "LinkFixture.h"

#include <atomic>
#include <thread>

using namespace ks;
using namespace ks::test;

namespace {

using Transaction = LinkFixture;

TEST_F(Transaction, ReadDeliversRegisterBytes) {
    startPeer([](const Bytes& rq, int) {
        EXPECT_EQ(rq, withCrc({1, 3, 0x00, 0x10, 0x00, 0x04}));
        return answer(readReply(1, {0x0102, 0x0304, 0xA0B0, 0xFFFF}));
    });
    Bytes data;
    ASSERT_EQ(link.transaction(1, 3, 0x10, 4, data, 2), 0);
    EXPECT_EQ(data, (Bytes{1, 2, 3, 4, 0xA0, 0xB0, 0xFF, 0xFF}));
    EXPECT_EQ(link.expectedLength(), 13);
    EXPECT_EQ(link.attempt(), 1);
}

TEST_F(Transaction, WriteDeliversEchoTail) {
    startPeer([](const Bytes& rq, int) {
        EXPECT_EQ(rq, withCrc({9, 16, 0x23, 0x06, 0, 1, 2, 0x12, 0x34}));
        return answer(withCrc({9, 16, 0x23, 0x06, 0, 1}));
    });
    Bytes data{0x12, 0x34};
    ASSERT_EQ(link.transaction(9, 16, 0x2306, 1, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0x06, 0x00, 0x01}));
    EXPECT_EQ(link.expectedLength(), 8);
}

// Each row scripts the three attempts and says what the transaction must return.
TEST_F(Transaction, RetriesAndFailures) {
    const Bytes good = readReply(1, {0x1234, 0x5678});
    Bytes badCrc = good;
    badCrc.back() ^= 0x55;
    struct Case {
        const char* what;
        std::vector<Bytes> attempts; // empty: silence
        int expected;
        int attemptsMade;
    };
    const std::vector<Case> cases = {
        {"bad CRC then good", {badCrc, good}, 0, 2},
        {"silence then good", {{}, good}, 0, 2},
        {"no reply at all", {{}, {}, {}}, LINK_NO_REPLY, 3},
        {"exception three times",
         {withCrc({1, 0x83, 2}), withCrc({1, 0x83, 2}), withCrc({1, 0x83, 2})},
         152,
         3},
        {"other slave",
         {readReply(2, {1, 2}), readReply(2, {1, 2}), readReply(2, {1, 2})},
         LINK_WRONG_SLAVE,
         3},
        {"short reply", {{1, 3, 4}, {1, 3, 4}, {1, 3, 4}}, LINK_TOO_SHORT, 3},
        {"last code counts", {{}, {}, badCrc}, LINK_BAD_CRC, 3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        CJBusLink local;
        PtyPeer p;
        ASSERT_TRUE(p.start([&](const Bytes&, int i) {
            return i < static_cast<int>(k.attempts.size()) ? answer(k.attempts[i]) : silence();
        }));
        local.serialLink().portTable().assign(7, p.slavePath());
        local.setFirstByteTimeout(100);
        bool connected = false;
        ASSERT_EQ(local.open(7, 5, 'N', 8, 1, false, connected), 0);
        Bytes data{0xEE};
        EXPECT_EQ(local.transaction(1, 3, 0x10, 2, data, 2), k.expected);
        EXPECT_EQ(p.requests(), k.attemptsMade);
        if (k.expected == 0)
            EXPECT_EQ(data, (Bytes{0x12, 0x34, 0x56, 0x78}));
        else
            EXPECT_TRUE(data.empty());
    }
}

TEST_F(Transaction, ReplyEndsAtExpectedLengthNotAtTimeOut) {
    // The reply arrives in three pieces with gaps well under the inter-byte time-out, and is
    // followed by trailing garbage that must not be taken into it.
    startPeer([](const Bytes&, int) {
        Bytes r = readReply(1, {0xCAFE, 0xBEEF, 0x0001});
        Bytes tail(r.begin() + 6, r.end());
        tail.push_back(0x99);
        return PtyPeer::Answer{
            {Bytes(r.begin(), r.begin() + 2), Bytes(r.begin() + 2, r.begin() + 6), tail}, 30};
    });
    Bytes data;
    ASSERT_EQ(link.transaction(1, 3, 0x10, 3, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0xCA, 0xFE, 0xBE, 0xEF, 0x00, 0x01}));
    // The garbage byte is drained before the next request.
    ASSERT_EQ(link.transaction(1, 3, 0x10, 3, data, 2), 0);
}

TEST_F(Transaction, EchoingLineIsTolerated) {
    startPeer([](const Bytes& rq, int) {
        return PtyPeer::Answer{{rq, readReply(1, {0x4242})}, 0};
    });
    Bytes data;
    ASSERT_EQ(link.transaction(1, 3, 0x10, 1, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0x42, 0x42}));
}

TEST_F(Transaction, BroadcastAcceptsAnySlave) {
    startPeer([](const Bytes&, int) { return answer(readReply(17, {0x0011})); });
    Bytes data;
    ASSERT_EQ(link.transaction(0, 3, 0xFF00, 1, data, 2), 0);
    EXPECT_EQ(link.codec().reply().slave, 17);
}

TEST_F(Transaction, TooLongRequestFailsWithoutSending) {
    startPeer([](const Bytes&, int) { return silence(); });
    Bytes data(248, 0);
    EXPECT_EQ(link.transaction(1, 16, 0, 124, data, 2), LINK_REQUEST_TOO_LONG);
    EXPECT_EQ(peer.requests(), 0);
    EXPECT_FALSE(link.busy());
}

TEST_F(Transaction, SecondTransactionWhileBusyIsRefused) {
    std::atomic<bool> inside{false};
    startPeer([&](const Bytes&, int) {
        inside = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        return answer(readReply(1, {7}));
    });
    Bytes first;
    std::thread t([&] { EXPECT_EQ(link.transaction(1, 3, 0x10, 1, first, 2), 0); });
    while (!inside)
        std::this_thread::yield();
    Bytes second{1, 2};
    EXPECT_EQ(link.transaction(1, 3, 0x10, 1, second, 2), LINK_BUSY);
    EXPECT_EQ(second, (Bytes{1, 2})) << "a refused transaction changes nothing";
    t.join();
    EXPECT_EQ(first, (Bytes{0, 7}));
}

} // namespace
