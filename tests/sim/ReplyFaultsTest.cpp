// Injected line faults on replies.
#include "sim/ReplyFaults.h"
#include "SimTestSupport.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::simtest;
using sim::CReplyFaults;

namespace {

const Bytes kReply = withCrc({1, 3, 4, 0x12, 0x34, 0x56, 0x78});

int bitsDifferent(const Bytes& a, const Bytes& b) {
    int n = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        n += std::popcount(static_cast<unsigned>(a[i] ^ b[i]));
    return n;
}

} // namespace

TEST(ReplyFaults, NoFaultsLeaveRepliesAlone) {
    CReplyFaults f(0, 0, 0, 1);
    for (int i = 0; i < 100; ++i) {
        Bytes r = kReply;
        ASSERT_TRUE(f.apply(r));
        EXPECT_EQ(r, kReply);
    }
}

TEST(ReplyFaults, CertainFaultsAlwaysHappen) {
    CReplyFaults drop(1, 0, 0, 1), corrupt(0, 1, 0, 2), noise(0, 0, 1, 3);
    for (int i = 0; i < 200; ++i) {
        Bytes r = kReply;
        EXPECT_FALSE(drop.apply(r));

        r = kReply;
        ASSERT_TRUE(corrupt.apply(r));
        ASSERT_EQ(r.size(), kReply.size());
        EXPECT_EQ(bitsDifferent(r, kReply), 1);

        r = kReply;
        ASSERT_TRUE(noise.apply(r));
        ASSERT_GE(r.size(), kReply.size());
        EXPECT_LE(r.size(), kReply.size() + 8);
        const bool changed = bitsDifferent(r, kReply) > 0;
        EXPECT_TRUE(changed || r.size() > kReply.size());
        int bytesChanged = 0;
        for (std::size_t k = 0; k < kReply.size(); ++k)
            bytesChanged += r[k] != kReply[k];
        EXPECT_LE(bytesChanged, 4);
    }
}

TEST(ReplyFaults, ProbabilityAndSeedDecide) {
    auto lost = [](double p, std::uint64_t seed) {
        CReplyFaults f(p, 0.5, 0.5, seed);
        std::vector<bool> out;
        for (int i = 0; i < 4000; ++i) {
            Bytes r = kReply;
            out.push_back(!f.apply(r));
        }
        return out;
    };
    const auto a = lost(0.3, 11);
    const double share = static_cast<double>(std::count(a.begin(), a.end(), true)) / a.size();
    EXPECT_NEAR(share, 0.3, 0.03);
    EXPECT_EQ(lost(0.3, 11), a);
    EXPECT_NE(lost(0.3, 12), a);
    // Out-of-range probabilities are clamped, not trusted.
    CReplyFaults wild(-3, 7, std::nan(""), 1);
    Bytes r = kReply;
    ASSERT_TRUE(wild.apply(r));
    EXPECT_EQ(bitsDifferent(r, kReply), 1);
}
