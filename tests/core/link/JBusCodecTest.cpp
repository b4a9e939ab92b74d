#include "link/JBusCodec.h"
#include "link/ResultCodes.h"

#include <gtest/gtest.h>

using namespace ks;

namespace {

// Appends the CRC of the bytes, low byte first, as a slave would.
Bytes withCrc(Bytes b) {
    const std::uint16_t reg = crc16Register(b.data(), b.size());
    b.push_back(static_cast<std::uint8_t>(reg & 0xFF));
    b.push_back(static_cast<std::uint8_t>(reg >> 8));
    return b;
}

} // namespace

TEST(Crc16, KnownValues) {
    // "abc" plus two placeholder bytes: register 0x5749, stored swapped.
    CJBusFrame f;
    f.raw = {'a', 'b', 'c', 0, 0};
    EXPECT_EQ(crc16Register(f.raw.data(), 3), 0x5749);
    EXPECT_EQ(f.computeCrc(), 0x4957);
    // The Modbus reference frame 01 03 00 00 00 01 has CRC bytes 84 0A.
    const Bytes ref{1, 3, 0, 0, 0, 1};
    EXPECT_EQ(withCrc(ref), (Bytes{1, 3, 0, 0, 0, 1, 0x84, 0x0A}));
    f.raw = {1, 2};
    EXPECT_EQ(f.computeCrc(), 0xFFFF);
    EXPECT_EQ(f.checkCrc(), -1);
}

TEST(JBusCodec, ReadRequestLayout) {
    CJBusCodec c;
    ASSERT_EQ(c.encode(1, 3, 0xFF00, 1, 2, {}), 0);
    EXPECT_EQ(c.requestBytes(), withCrc({0x01, 0x03, 0xFF, 0x00, 0x00, 0x01}));
    EXPECT_EQ(c.request().slave, 1);
    EXPECT_EQ(c.request().function, 3);
}

TEST(JBusCodec, WriteRequestPadsOddData) {
    struct Case {
        Bytes data;
        int count;
        Bytes expectedBody;
    };
    const Case cases[] = {
        {{0xAA, 0xBB, 0xCC}, 2, {0x23, 0x01, 0x00, 0x02, 0x04, 0xAA, 0xBB, 0xCC, 0x00}},
        {{0xAA, 0xBB, 0xCC, 0xDD}, 2, {0x23, 0x01, 0x00, 0x02, 0x04, 0xAA, 0xBB, 0xCC, 0xDD}},
    };
    for (const Case& k : cases) {
        CJBusCodec c;
        ASSERT_EQ(c.encode(7, 16, 0x2301, k.count, 2, k.data), 0);
        Bytes expected{7, 16};
        expected.insert(expected.end(), k.expectedBody.begin(), k.expectedBody.end());
        EXPECT_EQ(c.requestBytes(), withCrc(expected));
    }
}

TEST(JBusCodec, RequestLengthLimit) {
    CJBusCodec c;
    EXPECT_EQ(c.encode(1, 16, 0, 123, 2, Bytes(246, 0x55)), 0);
    EXPECT_EQ(c.requestBytes().size(), 255u);
    EXPECT_EQ(c.encode(1, 16, 0, 124, 2, Bytes(248, 0x55)), LINK_REQUEST_TOO_LONG);
    EXPECT_EQ(c.itemSize(), 2);
    c.encode(1, 3, 0, 1, 0, {});
    EXPECT_EQ(c.itemSize(), 2) << "item size 0 means 2";
}

TEST(JBusFrame, ParseRejectsShortAndCorrupt) {
    CJBusFrame f;
    EXPECT_EQ(f.parse(Bytes{1, 3, 2, 0}), LINK_TOO_SHORT);
    Bytes good = withCrc({1, 3, 2, 0x12, 0x34});
    EXPECT_EQ(f.parse(good), 0);
    EXPECT_EQ(f.slave, 1);
    EXPECT_EQ(f.function, 3);
    EXPECT_EQ(f.data, (Bytes{2, 0x12, 0x34}));
    for (std::size_t i = 0; i < good.size(); ++i) {
        Bytes bad = good;
        bad[i] ^= 0x01;
        EXPECT_EQ(f.parse(bad), LINK_BAD_CRC) << "flipped byte " << i;
    }
}

TEST(JBusCodec, ValidateReplies) {
    struct Case {
        const char* what;
        int slave, function, count;
        Bytes reply; // without CRC
        int expected;
    };
    const Case cases[] = {
        {"good read", 1, 3, 2, {1, 3, 4, 0, 1, 0, 2}, 0},
        {"other slave", 1, 3, 2, {2, 3, 4, 0, 1, 0, 2}, LINK_WRONG_SLAVE},
        {"broadcast takes any slave", 0, 3, 2, {5, 3, 4, 0, 1, 0, 2}, 0},
        {"exception to read", 1, 3, 2, {1, 0x83, 2}, 152},
        {"exception of another function", 1, 16, 2, {1, 0x83, 2}, LINK_WRONG_FUNCTION},
        {"other function", 1, 3, 2, {1, 4, 4, 0, 1, 0, 2}, LINK_WRONG_FUNCTION},
        {"byte count off", 1, 3, 2, {1, 3, 3, 0, 1, 0, 2}, LINK_WRONG_LENGTH},
        {"data too long", 1, 3, 2, {1, 3, 4, 0, 1, 0, 2, 9}, LINK_WRONG_LENGTH},
        {"good write echo", 1, 16, 2, {1, 16, 0x23, 0x01, 0, 2}, 0},
        {"write echo count off", 1, 16, 2, {1, 16, 0x23, 0x01, 0, 3}, LINK_WRONG_LENGTH},
        {"write echo too long", 1, 16, 2, {1, 16, 0x23, 0x01, 0, 2, 0}, LINK_WRONG_LENGTH},
        {"write echo address not compared", 1, 16, 2, {1, 16, 0x99, 0x99, 0, 2}, 0},
    };
    for (const Case& k : cases) {
        CJBusCodec c;
        c.encode(k.slave, k.function, 0x2301, k.count, 2, Bytes(2 * k.count, 0));
        ASSERT_EQ(c.parseReply(withCrc(k.reply)), 0) << k.what;
        EXPECT_EQ(c.validate(), k.expected) << k.what;
    }
}
