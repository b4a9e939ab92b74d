// Late replies never answer the wrong request, and a port that goes away comes back.
#include "LinkFixture.h"
#include "link/SerialAlias.h"
#include "support/RunProgram.h"

#include <chrono>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace ks;
using namespace ks::test;

namespace {

// A reply whose registers all hold the address that was asked for, so that a reply taken
// for another request shows.
Bytes replyNamingItsRequest(const Bytes& rq) {
    const std::uint16_t address = static_cast<std::uint16_t>(rq[2] << 8 | rq[3]);
    const int count = rq[4] << 8 | rq[5];
    return readReply(rq[0], std::vector<std::uint16_t>(static_cast<std::size_t>(count), address));
}

// The meter answers every request, in order, but later than the first-byte time-out; the
// reads alternate between two blocks of the same size, as the measurement start-up does.
TEST(LateReplies, NeverAnswerTheNextRequest) {
    constexpr int kTimeoutMs = 150;
    for (int delayMs : {200, 320}) {
        SCOPED_TRACE(delayMs);
        PtyPeer peer;
        ASSERT_TRUE(peer.start([&](const Bytes& rq, int) {
            return PtyPeer::Answer{{Bytes{}, replyNamingItsRequest(rq)}, delayMs};
        }));
        CJBusLink link;
        link.serialLink().portTable().assign(5, peer.slavePath());
        link.setFirstByteTimeout(kTimeoutMs);
        bool connected = false;
        ASSERT_EQ(link.open(5, 5, 'N', 8, 1, false, connected), 0);
        int good = 0;
        for (int i = 0; i < 8; ++i) {
            const int address = i % 2 == 0 ? 0x4000 : 0x122F;
            Bytes data;
            const int code = link.transaction(1, 3, address, 9, data, 2);
            if (code != 0) {
                EXPECT_TRUE(data.empty());
                continue;
            }
            ++good;
            ASSERT_EQ(data.size(), 18u);
            for (std::size_t k = 0; k < data.size(); k += 2)
                ASSERT_EQ(data[k] << 8 | data[k + 1], address) << "read " << i;
        }
        EXPECT_GE(good, 4) << "late replies to this very request are taken";
        EXPECT_GT(link.lineCounts().late, 0u);
    }
}

// The meter loses one request and answers every other one at once: the request it lost must
// not leave the link taking each later reply for the one before it.
TEST(LateReplies, ALostRequestDoesNotShiftTheRepliesForGood) {
    PtyPeer peer;
    ASSERT_TRUE(peer.start([](const Bytes& rq, int index) {
        return index == 2 ? PtyPeer::Answer{} : PtyPeer::Answer{{replyNamingItsRequest(rq)}, 0};
    }));
    CJBusLink link;
    link.serialLink().portTable().assign(5, peer.slavePath());
    link.setFirstByteTimeout(150);
    bool connected = false;
    ASSERT_EQ(link.open(5, 5, 'N', 8, 1, false, connected), 0);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        Bytes data;
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(link.transaction(1, 3, 0x100 + i, 2, data, 2), 0);
        EXPECT_EQ(data,
                  (Bytes{0x01, static_cast<std::uint8_t>(i), 0x01, static_cast<std::uint8_t>(i)}));
        if (i >= 5) {
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(140))
                << "back in step: the reply is taken as it comes";
        }
    }
}

// A symbolic link stands for the device path; the peer behind it goes away and a new one
// takes its place, as when the simulated meter restarts or an adapter is plugged in again.
struct LostPort : ::testing::Test {
    void point(const std::string& link, const std::string& target) {
        ::unlink(link.c_str());
        ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    }
    static PtyPeer::Script answering() {
        return [](const Bytes& rq, int) { return PtyPeer::Answer{{replyNamingItsRequest(rq)}, 0}; };
    }
    TempFolder folder;
    CJBusLink link;
};

TEST_F(LostPort, IsReportedAndOpenedAgainWhenItsPathComesBack) {
    const std::string path = folder.path() + "/meter";
    auto first = std::make_unique<PtyPeer>();
    ASSERT_TRUE(first->start(answering()));
    point(path, first->slavePath());
    link.serialLink().portTable().assign(3, path);
    link.setFirstByteTimeout(200);
    bool connected = false;
    ASSERT_EQ(link.open(3, 5, 'N', 8, 1, false, connected), 0);
    Bytes data;
    ASSERT_EQ(link.transaction(1, 3, 0x10, 1, data, 2), 0);

    first.reset(); // the other end closes
    EXPECT_EQ(link.transaction(1, 3, 0x10, 1, data, 2), LINK_PORT_LOST);
    EXPECT_TRUE(link.portLost());
    EXPECT_FALSE(link.serialLink().isOpen()) << "a lost port is closed";
    ::unlink(path.c_str());
    // While nothing is there each exchange tries for one first-byte time-out, then says so.
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(link.transaction(1, 3, 0x10, 1, data, 2), LINK_PORT_LOST);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));

    PtyPeer second;
    ASSERT_TRUE(second.start(answering()));
    point(path, second.slavePath());
    ASSERT_EQ(link.transaction(1, 3, 0x22, 1, data, 2), 0);
    EXPECT_EQ(data, (Bytes{0x00, 0x22}));
    EXPECT_FALSE(link.portLost());
    EXPECT_EQ(link.lineCounts().lost, 1u);
    EXPECT_EQ(link.lineCounts().reopened, 1u);
}

TEST_F(LostPort, AnAdapterIsFollowedByItsStableName) {
    const std::string byId = folder.path() + "/by-id";
    ASSERT_EQ(::mkdir(byId.c_str(), 0700), 0);
    const std::string stable = byId + "/usb-FTDI_FT232R_A600XYZ-if00-port0";
    auto first = std::make_unique<PtyPeer>();
    ASSERT_TRUE(first->start(answering()));
    point(stable, first->slavePath());
    EXPECT_EQ(stableSerialName(first->slavePath(), byId), stable);
    EXPECT_EQ(stableSerialName(folder.path(), byId), "") << "not a device";
    EXPECT_EQ(stableSerialName("/dev/null", byId), "") << "no name leads to it";
}

} // namespace
