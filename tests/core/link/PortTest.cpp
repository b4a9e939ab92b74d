#include "link/FrameReceiver.h"
#include "link/PosixCommPort.h"
#include "link/ResultCodes.h"
#include "support/PtyPair.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace ks;
using namespace ks::test;

namespace {

struct PortOnPty : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(peer.start([](const Bytes&, int) { return PtyPeer::Answer{}; }));
    }
    PtyPeer peer;
};

TEST_F(PortOnPty, LineSettingsAreChecked) {
    struct Case {
        long baud;
        char parity;
        int stopBits;
        int expected;
    };
    const Case cases[] = {
        {9600, 'N', 1, 0},
        {115200, 'N', 1, 0},
        {230400, 'N', 1, PORT_ILLEGAL_BAUD},
        {9600, 'n', 1, 0},
        {9600, 'e', 2, 0},
        {9600, 'X', 1, PORT_ILLEGAL_PARITY},
        {9600, 'N', 0, PORT_ILLEGAL_STOP_BITS},
        {9600, 'N', 3, PORT_ILLEGAL_STOP_BITS},
    };
    for (const Case& k : cases) {
        auto port = openPort(peer.slavePath(), 0, k.baud, k.parity, 8, k.stopBits);
        EXPECT_EQ(port->status(), k.expected) << k.baud << " " << k.parity << " " << k.stopBits;
    }
}

TEST_F(PortOnPty, WhatAPtyCannotDoAnswersNotSupported) {
    auto port = openPort(peer.slavePath(), 0, 9600, 'N', 8, 1);
    ASSERT_EQ(port->status(), 0);
    EXPECT_EQ(port->modemStatus(), PORT_NOT_SUPPORTED);
    EXPECT_EQ(port->lineStatus(), PORT_NOT_SUPPORTED);
    EXPECT_EQ(port->outputUsed(), 0);
    EXPECT_EQ(transmitComplete(*port), 1);
    EXPECT_EQ(port->setDtr(true), 0) << "modem line switches succeed quietly";
    EXPECT_EQ(readByteWithTimeout(*port, 0), PORT_NOTHING_TO_READ);
    std::vector<std::string> lines;
    EXPECT_EQ(port->dump([&](const std::string& l) { lines.push_back(l); }), 0);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_NE(lines[1].find("BaudRate: 9600"), std::string::npos);
}

TEST_F(PortOnPty, BytesFlowAndDrain) {
    auto port = openPort(peer.slavePath(), 0, 9600, 'N', 8, 1);
    ASSERT_EQ(port->status(), 0);
    const unsigned char hello[] = {1, 2, 3};
    ASSERT_EQ(::write(peer.masterFd(), hello, 3), 3);
    EXPECT_EQ(readByteWithTimeout(*port, 500), 1);
    EXPECT_EQ(port->inputUsed(), 2);
    EXPECT_EQ(drainInput(*port), 0);
    EXPECT_EQ(port->inputUsed(), 0);
}

TEST_F(PortOnPty, SecondOpenOfTheSameDeviceIsRefused) {
    auto first = openPort(peer.slavePath(), 0, 9600, 'N', 8, 1);
    ASSERT_EQ(first->status(), 0);
    auto second = openPort(peer.slavePath(), 0, 9600, 'N', 8, 1);
    EXPECT_EQ(second->status(), PORT_IN_USE);
}

TEST(Port, OpenFailuresAreMapped) {
    EXPECT_EQ(openPort("/dev/no-such-serial-port", 0, 9600, 'N', 8, 1)->status(),
              PORT_NO_SUCH_PORT);
    CFrameReceiver rx;
    bool connected = false;
    EXPECT_EQ(rx.open(0, 5, 'N', 8, 1, false, connected), LINK_PORT_UNAVAILABLE);
    EXPECT_EQ(rx.serialLink().lastOpenFailure().code, PORT_NO_SUCH_PORT);
    rx.serialLink().portTable().assign(200, "/dev/no-such-serial-port");
    EXPECT_EQ(rx.open(200, 5, 'N', 8, 1, false, connected), LINK_PORT_UNAVAILABLE);
    EXPECT_FALSE(rx.serialLink().isOpen());
}

TEST(Port, PermissionRefusalIsPortInUse) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may open anything";
    EXPECT_EQ(openPort("/dev/mem", 0, 9600, 'N', 8, 1)->status(), PORT_IN_USE);
}

TEST_F(PortOnPty, ReopenWithSameSettingsKeepsThePort) {
    CFrameReceiver rx;
    rx.serialLink().portTable().assign(3, peer.slavePath());
    bool connected = false;
    ASSERT_EQ(rx.open(3, 5, 'N', 8, 1, false, connected), 0);
    CommPort* before = rx.serialLink().port();
    ASSERT_EQ(rx.open(3, 5, 'N', 8, 1, false, connected), 0);
    EXPECT_EQ(rx.serialLink().port(), before);
    ASSERT_EQ(rx.open(3, 4, 'N', 8, 1, false, connected), 0);
    EXPECT_EQ(rx.interByteTimeout(), 1000);
    rx.serialLink().stopReader();
    rx.serialLink().stopReader(); // stopping a stopped reader does nothing
}

TEST(ModemOpen, ConnectedFlagSkipsTheDialler) {
    CFrameReceiver rx;
    int dialled = 0;
    rx.setModemConnector([&](CFrameReceiver&) {
        ++dialled;
        return -1;
    });
    bool connected = true;
    EXPECT_EQ(rx.open(1, 5, 'N', 8, 1, true, connected), 0);
    EXPECT_EQ(dialled, 0);
    connected = false;
    EXPECT_EQ(rx.open(1, 5, 'N', 8, 1, true, connected), LINK_MODEM_NOT_CONNECTED);
    EXPECT_EQ(dialled, 1);
    EXPECT_FALSE(connected);
}

TEST(BaudTable, RatesLabelsAndCount) {
    EXPECT_EQ(baudCount(), 8);
    const long rates[] = {300, 600, 1200, 2400, 4800, 9600, 115200, 115200};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(baudEntry(i).baud, rates[i]);
        EXPECT_EQ(baudEntry(i).interByteTimeoutMs, 1000);
    }
    EXPECT_STREQ(baudEntry(6).label, "BlueTooth");
    EXPECT_EQ(baudEntry(8).baud, 0);
    EXPECT_EQ(baudEntry(-1).baud, 0);
}

TEST(PortTable, ConfiguredFirstThenFoundDevices) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("ks-ports-" + std::to_string(::getpid()));
    fs::create_directories(root / "dev");
    for (const char* n : {"ttyUSB10", "ttyUSB2", "ttyS0", "ttyS1", "ttyACM0", "ttySX", "tty0"})
        std::ofstream(root / "dev" / n).put('x');
    fs::create_directories(root / "sys/class/tty/ttyS0");
    fs::create_directories(root / "sys/class/tty/ttyS1");
    std::ofstream(root / "sys/class/tty/ttyS0/type") << "4\n";
    std::ofstream(root / "sys/class/tty/ttyS1/type") << "0\n"; // no UART behind it

    CPortTable t;
    t.setConfigured({{2, "/dev/special"}, {0, "/dev/ignored"}, {300, "/dev/ignored"}});
    t.scan((root / "dev").string(), (root / "sys").string());
    const std::string dev = (root / "dev").string();
    EXPECT_EQ(t.pathOf(1), dev + "/ttyUSB2");
    EXPECT_EQ(t.pathOf(2), "/dev/special");
    EXPECT_EQ(t.pathOf(3), dev + "/ttyUSB10");
    EXPECT_EQ(t.pathOf(4), dev + "/ttyACM0");
    EXPECT_EQ(t.pathOf(5), dev + "/ttyS0");
    EXPECT_EQ(t.pathOf(6), "");
    EXPECT_EQ(t.numbers().size(), 5u);
    EXPECT_EQ(t.numberFor("/tmp/my-pty"), 6);
    EXPECT_EQ(t.numberFor("/tmp/my-pty"), 6);
    fs::remove_all(root);
}

} // namespace
