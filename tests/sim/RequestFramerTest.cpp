// Cutting the received byte stream into requests.
#include "sim/RequestFramer.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>
#include <random>

using namespace ks;
using namespace ks::simtest;
using sim::CRequestFramer;

namespace {

struct Chunk {
    double at;
    Bytes bytes;
};

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes head(const Bytes& b, std::size_t n) {
    return Bytes(b.begin(), b.begin() + n);
}
Bytes tail(const Bytes& b, std::size_t n) {
    return Bytes(b.begin() + n, b.end());
}

} // namespace

TEST(RequestFramer, CutsRequestsOutOfTheStream) {
    Exchange x;
    const Bytes read = x.read(1, 0x0010, 82);
    const Bytes write = x.write(1, 0x1100, Bytes(139, 0xAB)); // the largest the program sends
    const Bytes longest = x.write(1, 0x1100, Bytes(246, 0x5A));
    const Bytes other = withCrc({1, 7, 0, 0, 0, 0});
    Bytes badCrc = read;
    badCrc[7] ^= 0x10;
    // 9600 baud: resync gap 3.6 ms; partial frames wait 100 ms.
    struct Case {
        const char* what;
        std::vector<Chunk> chunks;
        std::vector<Bytes> expected;
    };
    const Case cases[] = {
        {"one read", {{0, read}}, {read}},
        {"one write", {{0, write}}, {write}},
        {"the longest write", {{0, longest}}, {longest}},
        {"another function, 8 bytes", {{0, other}}, {other}},
        {"two back to back", {{0, cat({read, write})}}, {read, write}},
        {"split with a short pause", {{0, head(read, 3)}, {0.020, tail(read, 3)}}, {read}},
        {"a write byte by byte, 20 ms apart", {}, {write}},
        {"split with a long pause",
         {{0, head(read, 3)}, {0.5, tail(read, 3)}, {1.0, read}},
         {read}},
        {"bytes that cannot start a request",
         {{0, cat({{0xFF, 0xF8, 0x01, 0x90, 0xFA}, read})}},
         {read}},
        {"bad CRC swallows what follows at once", {{0, cat({badCrc, read})}}, {}},
        {"bad CRC, then a request within the gap", {{0, badCrc}, {0.001, read}}, {}},
        {"bad CRC, then a request after the gap", {{0, badCrc}, {0.010, read}}, {read}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Chunk> chunks = c.chunks;
        if (chunks.empty()) // the byte-by-byte case
            for (std::size_t i = 0; i < write.size(); ++i)
                chunks.push_back({0.020 * static_cast<double>(i), {write[i]}});
        CRequestFramer framer(CRequestFramer::resyncGap(9600), 0.100);
        std::vector<CRequestFramer::Request> got;
        for (const Chunk& k : chunks)
            framer.feed(k.bytes.data(), k.bytes.size(), k.at, got);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i].bytes, c.expected[i]);
    }
}

TEST(RequestFramer, RemembersWhenARequestBegan) {
    Exchange x;
    const Bytes read = x.read(1, 0xFF00, 25);
    CRequestFramer framer(0.002, 0.1);
    std::vector<CRequestFramer::Request> got;
    framer.feed(read.data(), 2, 5.0, got);
    framer.feed(read.data() + 2, read.size() - 2, 5.03, got);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_DOUBLE_EQ(got[0].firstByteTime, 5.0);
}

TEST(RequestFramer, SilenceEndsResyncAndDropsStalePartials) {
    CRequestFramer framer(0.004, 0.1);
    std::vector<CRequestFramer::Request> got;
    const Bytes garbage = withCrc({1, 3, 0, 0, 0, 1});
    Bytes bad = garbage;
    bad[2] ^= 1;
    framer.feed(bad.data(), bad.size(), 1.0, got);
    EXPECT_TRUE(framer.resyncing());
    EXPECT_DOUBLE_EQ(framer.nextDeadline(), 1.004);
    framer.idle(1.005);
    EXPECT_FALSE(framer.resyncing());
    EXPECT_LT(framer.nextDeadline(), 0);

    framer.feed(garbage.data(), 4, 2.0, got);
    EXPECT_EQ(framer.pending(), 4u);
    EXPECT_DOUBLE_EQ(framer.nextDeadline(), 2.1);
    framer.idle(2.1);
    EXPECT_EQ(framer.pending(), 0u);
    EXPECT_TRUE(got.empty());
}

TEST(RequestFramer, ResyncGapIsThreeAndAHalfCharactersAtLeastTwoMs) {
    EXPECT_NEAR(CRequestFramer::resyncGap(9600), 35.0 / 9600, 1e-12);
    EXPECT_NEAR(CRequestFramer::resyncGap(300), 35.0 / 300, 1e-12);
    EXPECT_DOUBLE_EQ(CRequestFramer::resyncGap(115200), 0.002);
}

TEST(RequestFramer, RandomStreamStaysBoundedAndYieldsOnlyGoodFrames) {
    std::mt19937_64 rng(3);
    CRequestFramer framer(0.002, 0.1);
    std::vector<CRequestFramer::Request> got;
    double t = 0;
    for (int i = 0; i < 20000; ++i) {
        Bytes chunk(1 + rng() % 40);
        for (auto& b : chunk)
            b = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() % 3 : rng());
        t += (rng() % 10 == 0) ? 0.2 : 0.0005;
        framer.feed(chunk.data(), chunk.size(), t, got);
        ASSERT_LE(framer.pending(), CRequestFramer::kMaxRequest);
    }
    for (const auto& r : got)
        EXPECT_EQ(withCrc(Bytes(r.bytes.begin(), r.bytes.end() - 2)), r.bytes);
}
