// Which request a reply answers when the meter answers late and in order.
#include "link/OwedReplies.h"
#include "link/ReplySplitter.h"
#include "support/PtyPair.h"

#include <gtest/gtest.h>

using namespace ks;
using namespace ks::test;
using Owner = COwedReplies::Owner;
using Clock = COwedReplies::Clock;
using std::chrono::milliseconds;

namespace {

// One step of a script: a new exchange, a request sent, or a frame arriving, at a time in ms.
struct Step {
    enum Kind { Exchange, Send, Reply, Broken } kind;
    int atMs;
    int slave = 1;
    int function = 3;
    std::size_t length = 0; // Send: reply length awaited; Reply: frame length
    Owner owner = Owner::None;
    bool late = false;
};

Bytes frameOf(int slave, int function, std::size_t length) {
    Bytes f(length, 0);
    f[0] = static_cast<std::uint8_t>(slave);
    f[1] = static_cast<std::uint8_t>(function);
    return f;
}

TEST(OwedReplies, RepliesGoToTheRequestsThatCanHaveCausedThem) {
    constexpr int T = 1000;
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"an answer on time",
         {{Step::Exchange, 0},
          {Step::Send, 0, 1, 3, 23},
          {Step::Reply, 20, 1, 3, 23, Owner::Current}}},
        {"the late reply to the last read comes while the next read of the same size waits",
         {{Step::Exchange, 0},
          {Step::Send, 0, 1, 3, 23},
          {Step::Send, 1000, 1, 3, 23},
          {Step::Reply, 1100, 1, 3, 23, Owner::Current, true},
          {Step::Exchange, 1100},
          {Step::Send, 1100, 1, 3, 23},
          {Step::Reply, 2200, 1, 3, 23, Owner::Earlier, true},
          {Step::Reply, 3300, 1, 3, 23, Owner::Current, true}}},
        {"a reply passes over requests the meter lost",
         {{Step::Exchange, 0},
          {Step::Send, 0, 1, 3, 23},
          {Step::Exchange, 1000},
          {Step::Send, 1000, 1, 3, 13},
          {Step::Reply, 1010, 1, 3, 13, Owner::Current},
          {Step::Exchange, 1100},
          {Step::Send, 1100, 1, 3, 23},
          {Step::Reply, 1110, 1, 3, 23, Owner::Current}}},
        {"an exception answers its function only",
         {{Step::Exchange, 0},
          {Step::Send, 0, 1, 16, 8},
          {Step::Reply, 10, 1, 0x83, 5, Owner::None},
          {Step::Reply, 20, 1, 0x90, 5, Owner::Current}}},
        {"another slave answers nothing; a broadcast takes any slave",
         {{Step::Exchange, 0},
          {Step::Send, 0, 1, 3, 7},
          {Step::Reply, 10, 2, 3, 7, Owner::None},
          {Step::Exchange, 100},
          {Step::Send, 100, 0, 3, 7},
          {Step::Reply, 110, 9, 3, 7, Owner::Current}}},
        {"a request unanswered for several windows is forgotten",
         {{Step::Exchange, 0},
          {Step::Send, 0, 1, 3, 23},
          {Step::Exchange, 9000},
          {Step::Send, 9000, 1, 3, 23},
          {Step::Reply, 9010, 1, 3, 23, Owner::Current}}},
        {"a broken reply takes the place of its request's answer",
         {{Step::Exchange, 0},
          {Step::Send, 0, 1, 3, 23},
          {Step::Broken, 10},
          {Step::Send, 20, 1, 3, 23},
          {Step::Reply, 30, 1, 3, 23, Owner::Current},
          {Step::Exchange, 40},
          {Step::Send, 40, 1, 3, 23},
          {Step::Reply, 50, 1, 3, 23, Owner::Current}}},
        {"a broken frame may be an earlier exchange's reply: it takes nothing",
         {{Step::Exchange, 0},
          {Step::Send, 0, 1, 3, 23},
          {Step::Exchange, 1000},
          {Step::Send, 1000, 1, 3, 23},
          {Step::Broken, 1050},
          {Step::Reply, 1100, 1, 3, 23, Owner::Earlier, true},
          {Step::Reply, 1200, 1, 3, 23, Owner::Current}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        COwedReplies owed;
        const Clock::time_point t0 = Clock::now();
        int index = 0;
        for (const Step& s : c.steps) {
            SCOPED_TRACE(index++);
            const Clock::time_point at = t0 + milliseconds(s.atMs);
            switch (s.kind) {
            case Step::Exchange:
                owed.beginExchange();
                break;
            case Step::Send:
                owed.sent(s.slave, s.function, s.length, at, T);
                break;
            case Step::Broken:
                owed.brokenReply(at);
                break;
            case Step::Reply: {
                const COwedReplies::Match m =
                    owed.arrived(frameOf(s.slave, s.function, s.length), at);
                EXPECT_EQ(m.owner, s.owner);
                EXPECT_EQ(m.late, s.late);
                break;
            }
            }
        }
    }
}

TEST(OwedReplies, NothingIsSentWhileAReplyCanStillCome) {
    COwedReplies owed;
    const Clock::time_point t0 = Clock::now();
    owed.beginExchange();
    owed.sent(1, 3, 23, t0, 500);
    // Before any late reply a request's window is its own time-out.
    EXPECT_EQ(owed.quietUntil(t0), t0 + milliseconds(500));
    EXPECT_EQ(owed.quietUntil(t0 + milliseconds(600)), t0 + milliseconds(600));
    owed.sent(1, 3, 23, t0 + milliseconds(500), 500);
    // A reply 700 ms after the second request: the meter is at least that slow, so from now
    // on every owed reply gets twice that.
    EXPECT_TRUE(owed.arrived(frameOf(1, 3, 23), t0 + milliseconds(1200)).late);
    EXPECT_EQ(owed.replyWindowMs(), 1400);
    EXPECT_EQ(owed.quietUntil(t0 + milliseconds(1200)), t0 + milliseconds(1900));
    owed.forget();
    EXPECT_EQ(owed.owed(), 0u);
    EXPECT_EQ(owed.quietUntil(t0 + milliseconds(1300)), t0 + milliseconds(1300));
    EXPECT_EQ(owed.replyWindowMs(), 0) << "what was learnt of another line does not hold";
}

TEST(OwedReplies, OnlySoManyAreKept) {
    COwedReplies owed;
    const Clock::time_point t0 = Clock::now();
    for (int i = 0; i < 100; ++i) {
        owed.beginExchange();
        owed.sent(1, 3, 23, t0 + milliseconds(i), 1000);
    }
    EXPECT_EQ(owed.owed(), COwedReplies::kMaxOwed);
}

TEST(ReplySplitter, FramesAreCutOutOfNoise) {
    const Bytes read = readReply(1, {0x1234, 0x5678});
    const Bytes exception = withCrc({1, 0x83, 2});
    const Bytes write = withCrc({1, 16, 0x23, 0x06, 0, 1});
    struct Case {
        const char* what;
        Bytes stream;
        std::vector<Bytes> frames;
        std::size_t garbage;
    };
    auto join = [](std::vector<Bytes> parts) {
        Bytes all;
        for (const Bytes& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    Bytes corrupted = read;
    corrupted[4] ^= 0x10;
    const std::vector<Case> cases = {
        {"three replies back to back", join({read, exception, write}), {read, exception, write}, 0},
        {"noise before a reply", join({{0xFF, 0x00, 0x7E}, read}), {read}, 3},
        {"a corrupted reply then a good one", join({corrupted, read}), {read}, corrupted.size()},
        {"a reply cut short", Bytes(read.begin(), read.end() - 2), {}, read.size() - 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes buffer = c.stream;
        std::vector<Bytes> frames;
        std::size_t garbage = 0;
        for (;;) {
            Bytes frame;
            const SplitResult r = takeReplyFrame(buffer, frame, true);
            if (r == SplitResult::NeedMore)
                break;
            if (r == SplitResult::Frame)
                frames.push_back(frame);
            else
                ++garbage;
        }
        EXPECT_EQ(frames, c.frames);
        EXPECT_EQ(garbage, c.garbage);
        EXPECT_TRUE(buffer.empty());
    }
    // While more bytes may come, a frame's start waits for them.
    Bytes head(read.begin(), read.begin() + 4);
    Bytes frame;
    EXPECT_EQ(takeReplyFrame(head, frame, false), SplitResult::NeedMore);
    EXPECT_EQ(head.size(), 4u);
}

} // namespace
