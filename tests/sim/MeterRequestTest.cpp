// How the simulated meter answers single requests: block contents, writes, exceptions,
// addressing and malformed frames.
#include "MeterFixture.h"

#include "app/Version.h"
#include "link/ResultCodes.h"

#include <random>

using namespace ks;
using namespace ks::simtest;

namespace {

enum class Kind { U8, U16, S24, U32, Text };

struct DefaultCase {
    int block;
    int registers; // the whole block, as the program reads it
    int offset;
    Kind kind;
    std::int64_t number;
    const char* text;
    int textLength;
};

std::string describe(const DefaultCase& c) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "block 0x%04X offset %d", c.block, c.offset);
    return buf;
}

} // namespace

class MeterRequests : public MeterFixture {};

TEST_F(MeterRequests, EveryBlockHoldsItsDefaults) {
    const DefaultCase cases[] = {
        // identification
        {0xFF00, 25, 1, Kind::U8, kSlave, nullptr, 0},
        {0xFF00, 25, 4, Kind::U8, 7, nullptr, 0},
        {0xFF00, 25, 5, Kind::U8, 3, nullptr, 0},
        {0xFF00, 25, 6, Kind::U32, 1, nullptr, 0},
        {0xFF00, 25, 30, Kind::Text, 0, "Ultrasonic flowmeter", 20},
        // main settings
        {0x1100, 70, 0, Kind::U8, 1, nullptr, 0},
        {0x1100, 70, 1, Kind::S24, 279, nullptr, 0},
        {0x1100, 70, 4, Kind::U8, 4, nullptr, 0},
        {0x1100, 70, 6, Kind::U16, 1000, nullptr, 0},
        {0x1100, 70, 8, Kind::S24, 2820, nullptr, 0},
        {0x1100, 70, 14, Kind::U8, 2, nullptr, 0},
        {0x1100, 70, 27, Kind::U16, 1470, nullptr, 0},
        {0x1100, 70, 35, Kind::S24, 100, nullptr, 0},
        {0x1100, 70, 53, Kind::U8, kSlave, nullptr, 0},
        {0x1100, 70, 56, Kind::Text, 0, "   KESTRANOL    ", 16},
        {0x1100, 70, 72, Kind::Text, 0, "                ", 16},
        {0x1100, 70, 89, Kind::U16, 2730, nullptr, 0},
        {0x1100, 70, 96, Kind::U8, 1, nullptr, 0},
        {0x1100, 70, 114, Kind::S24, 4000, nullptr, 0},
        {0x1100, 70, 117, Kind::S24, 20000, nullptr, 0},
        {0x1100, 70, 128, Kind::U8, 2, nullptr, 0},
        {0x1100, 70, 136, Kind::S24, 100, nullptr, 0},
        // factory
        {0x2200, 31, 1, Kind::S24, 10000, nullptr, 0},
        {0x2200, 31, 8, Kind::U8, 1, nullptr, 0},
        {0x2200, 31, 26, Kind::U16, 1000, nullptr, 0},
        {0x2200, 31, 38, Kind::U8, 7, nullptr, 0},
        {0x2200, 31, 39, Kind::U8, 80, nullptr, 0},
        {0x2200, 31, 58, Kind::U8, 9, nullptr, 0},
        {0x2200, 31, 59, Kind::U16, 50000, nullptr, 0},
        // OEM name, special settings, output points, special probes
        {0x122F, 9, 0, Kind::Text, 0, "   CALYPTRON    ", 16},
        {0x122F, 9, 17, Kind::U8, 1, nullptr, 0},
        {0x4000, 9, 0, Kind::U8, 7, nullptr, 0},
        {0x4000, 9, 2, Kind::U16, 1, nullptr, 0},
        {0x4000, 9, 4, Kind::U8, 1, nullptr, 0},
        {0x4000, 9, 7, Kind::U8, 1, nullptr, 0},
        {0x3000, 7, 6, Kind::U16, 1160, nullptr, 0},
        {0x3000, 7, 12, Kind::U16, 60500, nullptr, 0},
        {0x5000, 10, 8, Kind::U16, 0, nullptr, 0},
        // echo tables: chord 1 polarity and margin follow the settings; no chord 2
        {0x0B00, 124, 120, Kind::U8, 1, nullptr, 0},
        {0x0B00, 124, 122, Kind::U8, 12, nullptr, 0},
        {0x0B00, 124, 124, Kind::U8, 0, nullptr, 0},
        {0x0B00, 124, 184, Kind::U8, 0, nullptr, 0},
        // measurement: what the meter says about itself
        {0x0010, 82, 18, Kind::U8, 4, nullptr, 0},
        {0x0010, 82, 76, Kind::U8, 7, nullptr, 0},
        {0x0010, 82, 78, Kind::U16, 1, nullptr, 0},
        {0x0010, 82, 118, Kind::U8, 1, nullptr, 0},
        {0x0010, 82, 128, Kind::Text, 0, "CALYPTRON M01", 16},
        {0x0010, 82, 162, Kind::U8, 0, nullptr, 0},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(describe(c));
        const Bytes d = readBlock(c.block, c.registers);
        ASSERT_EQ(d.size(), static_cast<std::size_t>(2 * c.registers));
        const std::size_t o = static_cast<std::size_t>(c.offset);
        switch (c.kind) {
        case Kind::U8:
            EXPECT_EQ(d[o], c.number);
            break;
        case Kind::U16:
            EXPECT_EQ(u16At(d, o), c.number);
            break;
        case Kind::S24:
            EXPECT_EQ(s24At(d, o), c.number);
            break;
        case Kind::U32:
            EXPECT_EQ(u32At(d, o), c.number);
            break;
        case Kind::Text:
            EXPECT_EQ(textAt(d, o, c.textLength), c.text);
            break;
        }
    }
}

TEST_F(MeterRequests, FirmwareVersionCarriesTheProgramPrefix) {
    const std::string prefix = version::versionPrefix();
    const Bytes ident = readBlock(0xFF00, 25);
    EXPECT_EQ(textAt(ident, 10, 20).rfind(prefix, 0), 0u) << textAt(ident, 10, 20);
    const Bytes meas = readBlock(0x0010, 82);
    EXPECT_EQ(textAt(meas, 56, 12), textAt(ident, 10, 12));
}

TEST_F(MeterRequests, FullScaleWindowReadsTheMiddleOfTheSettings) {
    // The measurement dialog reads 2 registers at 0x1111: bytes 34..37 of the settings.
    const Bytes d = readBlock(0x1111, 2);
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(s24At(d, 1), 100); // Q Max 10.0
}

TEST_F(MeterRequests, SettingsBlocksStoreWhatIsWritten) {
    struct Case {
        int block;
        int registers;
    };
    const Case cases[] = {{0x1100, 70}, {0x2200, 31}, {0x122F, 9},
                          {0x4000, 9},  {0x3000, 7},  {0x5000, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        Bytes image = readBlock(c.block, c.registers);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(image[i] + 17 + i);
        if (c.block == 0x1100)
            image[53] = kSlave; // another JBus number would move the meter
        ASSERT_EQ(writeBlock(c.block, image), 0);
        EXPECT_EQ(readBlock(c.block, c.registers), image);
    }
    // A write inside a block touches only its registers.
    const Bytes before = readBlock(0x1100, 70);
    ASSERT_EQ(writeBlock(0x1103, {0x12, 0x34}), 0);
    Bytes expected = before;
    expected[6] = 0x12;
    expected[7] = 0x34;
    EXPECT_EQ(readBlock(0x1100, 70), expected);
}

TEST_F(MeterRequests, StoredSettingsShowInTheMeasurementBlock) {
    Bytes settings = readBlock(0x1100, 70);
    settings[4] = 0;   // flow unit l/s
    settings[15] = 20; // margin chord 1
    ASSERT_EQ(writeBlock(0x1100, settings), 0);
    const Bytes m = readBlock(0x0010, 82, 2.0);
    EXPECT_EQ(m[18], 0);
    EXPECT_EQ(m[120], 20);
    EXPECT_EQ(readBlock(0x0B00, 124)[122], 20);
}

TEST_F(MeterRequests, RefusesWithExceptionCodes) {
    Exchange x;
    auto rawWrite = [](int address, int count, int byteCount, std::size_t dataBytes) {
        Bytes b{kSlave,
                16,
                static_cast<std::uint8_t>(address >> 8),
                static_cast<std::uint8_t>(address),
                static_cast<std::uint8_t>(count >> 8),
                static_cast<std::uint8_t>(count),
                static_cast<std::uint8_t>(byteCount)};
        b.resize(b.size() + dataBytes, 0);
        return withCrc(b);
    };
    struct Case {
        const char* what;
        Bytes request;
        int expected;
    };
    const Case cases[] = {
        {"function 4", withCrc({kSlave, 4, 0x00, 0x10, 0x00, 0x01}), 151},
        {"function 6", withCrc({kSlave, 6, 0x11, 0x00, 0x00, 0x01}), 151},
        {"read count 0", withCrc({kSlave, 3, 0x00, 0x10, 0x00, 0x00}), 153},
        {"read count 126", withCrc({kSlave, 3, 0x0B, 0x00, 0x00, 126}), 153},
        {"read below the first block", x.read(kSlave, 0x000F, 1), 152},
        {"read address 0", x.read(kSlave, 0x0000, 2), 152},
        {"read past the measurement block", x.read(kSlave, 0x0010, 83), 152},
        {"read past the echo table", x.read(kSlave, 0x0B00, 125), 152},
        {"read across the gap after the clock", x.read(kSlave, 0x2301, 7), 152},
        {"read in the gap", x.read(kSlave, 0x2304, 1), 152},
        {"read past the identification", x.read(kSlave, 0xFF18, 2), 152},
        {"read wrapping the address space", x.read(kSlave, 0xFFFF, 2), 152},
        {"write count 0", rawWrite(0x1100, 0, 0, 0), 153},
        {"write count 124", rawWrite(0x1100, 124, 248, 248), 153},
        {"write byte count not twice the count", rawWrite(0x1100, 2, 2, 2), 153},
        {"write to the measurement block", x.write(kSlave, 0x0010, {0, 1}), 152},
        {"write to the identification", x.write(kSlave, 0xFF00, {0, 1}), 152},
        {"write to the echo table", x.write(kSlave, 0x0B00, {0, 1}), 152},
        {"write past the settings", x.write(kSlave, 0x1145, {0, 1, 2, 3}), 152},
        {"write an impossible date", x.write(kSlave, 0x2301, {13, 24, 10, 1, 0, 0}), 153},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes reply = ask(c.request);
        ASSERT_EQ(reply.size(), 5u);
        EXPECT_EQ(reply[0], kSlave);
        EXPECT_EQ(reply[1], c.request[1] | 0x80);
        EXPECT_EQ(150 + reply[2], c.expected);
        EXPECT_EQ(withCrc(Bytes(reply.begin(), reply.end() - 2)), reply);
    }
}

TEST_F(MeterRequests, AnswersItsOwnSlaveNumberAndBroadcastOnly) {
    struct Case {
        int slave;
        bool answered;
    };
    const Case cases[] = {{kSlave, true}, {0, true},    {1, false},
                          {6, false},     {247, false}, {255, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slave);
        Exchange x;
        const Bytes reply = ask(x.read(c.slave, 0xFF00, 25));
        if (!c.answered) {
            EXPECT_TRUE(reply.empty());
            continue;
        }
        Bytes data;
        ASSERT_EQ(x.check(reply, &data), 0);
        EXPECT_EQ(reply[0], kSlave); // also to a broadcast: the search learns the number
        EXPECT_EQ(data[1], kSlave);
    }
    // A broadcast write is carried out and answered too.
    Exchange x;
    EXPECT_EQ(x.check(ask(x.write(0, 0x1100, {0x02, 0x00}))), 0);
    EXPECT_EQ(readBlock(0x1100, 1)[0], 2);
}

TEST_F(MeterRequests, StaysSilentOnMalformedFrames) {
    Exchange x;
    Bytes badCrc = x.read(kSlave, 0x0010, 82);
    badCrc.back() ^= 0x01;
    Bytes flipped = x.read(kSlave, 0x0010, 82);
    flipped[3] ^= 0x40;
    Bytes longWrite = x.write(kSlave, 0x1100, {1, 2, 3, 4});
    longWrite.insert(longWrite.end() - 2, 0x00); // one byte more than the byte count says
    longWrite = withCrc(Bytes(longWrite.begin(), longWrite.end() - 2));
    const Bytes cases[] = {
        {},
        {kSlave},
        {kSlave, 3, 0x00},
        badCrc,
        flipped,
        withCrc({kSlave, 3, 0x00, 0x10, 0x00}),             // read one byte short
        withCrc({kSlave, 3, 0x00, 0x10, 0x00, 0x01, 0x00}), // read one byte long
        withCrc({kSlave, 16, 0x11, 0x00, 0x00}),            // write without a byte count
        longWrite,
    };
    for (const Bytes& c : cases) {
        SCOPED_TRACE(c.size());
        EXPECT_TRUE(ask(c).empty());
    }
}

TEST_F(MeterRequests, AnyBytesGetSilenceOrAWellFormedReply) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 5000; ++i) {
        Bytes b(rng() % 270);
        for (auto& v : b)
            v = static_cast<std::uint8_t>(rng());
        if (!b.empty())
            b[0] = (i % 2 == 0) ? kSlave : b[0];
        if (i % 3 == 0 && b.size() >= 4) // give some a valid CRC so they get past it
            b = withCrc(Bytes(b.begin(), b.end() - 2));
        const Bytes reply = ask(b, i * 0.1);
        if (reply.empty())
            continue;
        ASSERT_GE(reply.size(), 5u);
        EXPECT_EQ(reply[0], kSlave);
        EXPECT_EQ(withCrc(Bytes(reply.begin(), reply.end() - 2)), reply);
    }
}

// A meter told to refuse one block answers its writes with a device failure and keeps the
// block as it was; the other blocks take their writes.
TEST(MeterRefusingABlock, RefusesOnlyThatBlock) {
    sim::SimOptions o = withSlave(5);
    o.refuseWrite = 0x2306;
    sim::CSimMeter meter(o);
    auto write = [&](int address, const Bytes& bytes) {
        Exchange x;
        const Bytes request = x.write(5, address, bytes);
        return x.check(meter.handleRequest(request.data(), request.size(), 1.0));
    };
    EXPECT_EQ(write(0x2306, Bytes{0, 1, 0, 1}), 154);
    EXPECT_EQ(meter.reg(0x2306), 0);
    EXPECT_EQ(meter.reg(0x2307), 0);
    EXPECT_EQ(write(0x1100, Bytes{0, 0x01}), 0);
    EXPECT_EQ(meter.reg(0x1100), 1);
}
