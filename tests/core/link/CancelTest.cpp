#include "LinkFixture.h"

#include <chrono>
#include <thread>

namespace ks::test {

using Cancel = LinkFixture;
using Clock = std::chrono::steady_clock;

static long msSince(Clock::time_point t) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

// A cancel from another thread ends a transaction waiting on a silent line at once, and
// every later one until the flag is reset; a signal-style request ends it at the next
// attempt boundary, within one first-byte time-out.
TEST_F(Cancel, EndsTheWaitAndStaysUntilReset) {
    startPeer([](const Bytes&, int) { return silence(); });
    link.setFirstByteTimeout(1000);
    for (const bool fromSignal : {false, true}) {
        SCOPED_TRACE(fromSignal ? "requestCancel" : "cancel");
        link.resetCancel();
        std::thread stopper([this, fromSignal] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (fromSignal)
                link.requestCancel();
            else
                link.cancel();
        });
        Bytes data{1, 2};
        const auto start = Clock::now();
        EXPECT_EQ(link.transaction(1, 3, 0x1100, 4, data, 2), LINK_CANCELLED);
        const long took = msSince(start);
        stopper.join();
        EXPECT_TRUE(data.empty());
        EXPECT_FALSE(link.busy());
        // cancel(): at once; requestCancel(): the attempt's time-out runs out first.
        EXPECT_LT(took, fromSignal ? 1900 : 900) << took;
        EXPECT_LE(link.attempt(), 1);

        // Sticky: the next transaction does not touch the line.
        const int asked = peer.requests();
        const auto again = Clock::now();
        EXPECT_EQ(link.transaction(1, 16, 0x1100, 1, data = {0, 1}, 2), LINK_CANCELLED);
        EXPECT_LT(msSince(again), 100);
        EXPECT_EQ(peer.requests(), asked);
    }
    link.resetCancel();
    link.setFirstByteTimeout(50);
    Bytes data;
    EXPECT_EQ(link.transaction(1, 3, 0x1100, 4, data, 2), LINK_NO_REPLY);
}

} // namespace ks::test
