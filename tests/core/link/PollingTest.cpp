#include "LinkFixture.h"

#include <chrono>
#include <thread>

#include <condition_variable>
#include <mutex>

using namespace ks;
using namespace ks::test;

namespace {

// Counts notifications and lets the test wait for the n-th.
class CountingSink : public CFrameSink {
public:
    void postNewFrame() override {
        std::lock_guard<std::mutex> lock(m);
        ++posts;
        cv.notify_all();
    }
    bool waitFor(int n) {
        std::unique_lock<std::mutex> lock(m);
        return cv.wait_for(lock, std::chrono::seconds(10), [&] { return posts >= n; });
    }
    int count() {
        std::lock_guard<std::mutex> lock(m);
        return posts;
    }

private:
    std::mutex m;
    std::condition_variable cv;
    int posts = 0;
};

struct Polling : LinkFixture {
    void startCountingPeer() {
        startPeer([](const Bytes& rq, int i) {
            // Answers a read with the request's address and the exchange number.
            return answer(readReply(rq[0], {static_cast<std::uint16_t>(rq[2] << 8 | rq[3]),
                                            static_cast<std::uint16_t>(i)}));
        });
    }
    CountingSink sink;
};

TEST_F(Polling, OneNotificationPendingUntilAcknowledged) {
    startCountingPeer();
    ASSERT_EQ(link.startPolling(&sink, 1, 3, 0x10, 2, 1, 2, {}), 0);
    ASSERT_TRUE(sink.waitFor(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(sink.count(), 1) << "no second exchange without an acknowledgement";
    EXPECT_EQ(peer.requests(), 1);
    JBusRequest r = link.getRequest();
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.data, (Bytes{0x00, 0x10, 0x00, 0x00}));
    for (int n = 2; n <= 4; ++n) {
        link.acknowledge();
        ASSERT_TRUE(sink.waitFor(n));
        EXPECT_EQ(link.getRequest().data.back(), n - 1);
    }
    link.acknowledge();
    link.stopPolling();
    EXPECT_FALSE(link.polling());
}

TEST_F(Polling, StartWhileRunningIsRefused) {
    startCountingPeer();
    ASSERT_EQ(link.startPolling(&sink, 1, 3, 0x10, 2, 1, 2, {}), 0);
    EXPECT_EQ(link.startPolling(&sink, 1, 3, 0x20, 2, 1, 2, {}), -1);
    ASSERT_TRUE(sink.waitFor(1));
    EXPECT_EQ(link.getRequest().address, 0x10) << "the refused start changed nothing";
    link.stopPolling();
}

TEST_F(Polling, StopReleasesAWorkerWaitingForTheAcknowledgement) {
    startCountingPeer();
    // A long period: stop must not wait it out, and must not run another exchange.
    ASSERT_EQ(link.startPolling(&sink, 1, 3, 0x10, 2, 60000, 2, {}), 0);
    ASSERT_TRUE(sink.waitFor(1));
    link.stopPolling();
    EXPECT_FALSE(link.polling());
    EXPECT_EQ(peer.requests(), 1);
    EXPECT_EQ(sink.count(), 1);
    link.stopPolling(); // stopping again does nothing
}

TEST_F(Polling, WithoutASinkTheWorkerEndsAfterOneExchange) {
    startCountingPeer();
    ASSERT_EQ(link.startPolling(nullptr, 1, 3, 0x10, 2, 1, 2, {}), 0);
    for (int i = 0; i < 1000 && link.polling(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(link.polling());
    EXPECT_EQ(peer.requests(), 1);
    EXPECT_EQ(link.startPolling(&sink, 1, 3, 0x10, 2, 1, 2, {}), 0) << "a new start works";
    ASSERT_TRUE(sink.waitFor(1));
    link.stopPolling();
}

TEST_F(Polling, RequestReplacedBetweenExchanges) {
    startCountingPeer();
    ASSERT_EQ(link.startPolling(&sink, 1, 3, 0x1111, 2, 1, 2, {}), 0);
    ASSERT_TRUE(sink.waitFor(1));
    JBusRequest next = link.getRequest();
    next.address = 0x4000;
    link.setRequest(next);
    link.acknowledge();
    ASSERT_TRUE(sink.waitFor(2));
    EXPECT_EQ(link.getRequest().data[0], 0x40);
    link.stopPolling();
    const auto seen = peer.received();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0][2], 0x11);
    EXPECT_EQ(seen[1][2], 0x40);
}

TEST_F(Polling, FailedExchangeStillNotifiesWithEmptyData) {
    startPeer([](const Bytes&, int) { return silence(); });
    link.setFirstByteTimeout(20);
    ASSERT_EQ(link.startPolling(&sink, 1, 3, 0x10, 2, 1, 2, {}), 0);
    ASSERT_TRUE(sink.waitFor(1));
    const JBusRequest r = link.getRequest();
    EXPECT_TRUE(r.data.empty());
    EXPECT_EQ(r.result, LINK_NO_REPLY);
    // The peer counts a request once its thread has read it, which on a loaded machine can
    // be a moment after the link gave up on it.
    for (int i = 0; i < 100 && peer.requests() < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(peer.requests(), 3);
    link.stopPolling();
}

TEST_F(Polling, PolledWriteReplacesItsDataWithTheReply) {
    startPeer([](const Bytes& rq, int) { return answer(withCrc({rq[0], 16, rq[2], rq[3], 0, 1})); });
    ASSERT_EQ(link.startPolling(&sink, 1, 16, 0x2306, 1, 1, 2, {0x00, 0x01}), 0);
    ASSERT_TRUE(sink.waitFor(1));
    EXPECT_EQ(link.getRequest().data, (Bytes{0x06, 0x00, 0x01}));
    link.stopPolling();
}

} // namespace
