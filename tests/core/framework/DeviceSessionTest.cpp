// Block reads and writes of a device dialog against a scripted meter.
#include "framework/DeviceSession.h"
#include "framework/BlockValues.h"
#include "link/JBusLink.h"
#include "support/PtyPair.h"
#include "support/RecordingPrompts.h"

#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

using namespace ks;
using namespace ks::test;

namespace {

constexpr int kPort = 42;
constexpr int kSlave = 9;
constexpr int kSettings = 0x1100;
constexpr int kSavedTimeout = 777;

// The 25 registers of an identification block.
std::vector<std::uint16_t> identRegisters(const std::string& firmware,
                                          const std::string& description) {
    Bytes b(50, ' ');
    b[1] = kSlave;
    std::copy(firmware.begin(), firmware.end(), b.begin() + 10);
    std::copy(description.begin(), description.end(), b.begin() + 30);
    std::vector<std::uint16_t> r;
    for (std::size_t i = 0; i < b.size(); i += 2)
        r.push_back(static_cast<std::uint16_t>(b[i] << 8 | b[i + 1]));
    return r;
}

class Sink : public CFrameSink {
public:
    void postNewFrame() override {
        std::lock_guard<std::mutex> lock(m);
        ++posts;
        cv.notify_all();
    }
    bool waitForOne() {
        std::unique_lock<std::mutex> lock(m);
        return cv.wait_for(lock, std::chrono::seconds(10), [&] { return posts > 0; });
    }

private:
    std::mutex m;
    std::condition_variable cv;
    int posts = 0;
};

struct Session : ::testing::Test {
    Session() : session(link, fields, prompts) {
        flow = fields.add({0x0002, 0x0200, 0, kSettings, "%0.1f", 0, 1000});
        name = fields.add({0x0002, 0x0500, 2, kSettings, "%s", 0, 4});
        ConnectionSettings c;
        c.portNumber = kPort;
        c.slave = kSlave;
        c.readTimeoutMs = 60;
        c.writeTimeoutMs = 80;
        session.setConnection(c);
        link.setFirstByteTimeout(kSavedTimeout);
    }
    void startPeer(PtyPeer::Script script) {
        ASSERT_TRUE(peer.start(std::move(script)));
        link.serialLink().portTable().assign(kPort, peer.slavePath());
    }
    // A meter answering the identification block and the registers at 0x1111.
    void startMeter(const std::string& firmware) {
        startPeer([firmware](const Bytes& rq, int) -> PtyPeer::Answer {
            const int address = rq[2] << 8 | rq[3];
            if (rq[1] == 3 && address == 0xFF00 && rq[5] == 25)
                return {{readReply(kSlave, identRegisters(firmware, "Old meter"))}, 0};
            if (rq[1] == 3 && address == 0x1111)
                return {{readReply(kSlave, {1, 2})}, 0};
            if (rq[1] == 16)
                return {{withCrc({rq[0], 16, rq[2], rq[3], rq[4], rq[5]})}, 0};
            return {};
        });
    }
    std::vector<RecordingPrompts::Shown> shown() const { return prompts.shown; }

    CJBusLink link;
    CBlockValues fields;
    RecordingPrompts prompts;
    CDeviceSession session;
    PtyPeer peer;
    std::size_t flow = 0, name = 0;
};

TEST_F(Session, ReadSpreadsTheBlockAndRestoresTheTimeOut) {
    startPeer([](const Bytes& rq, int) -> PtyPeer::Answer {
        EXPECT_EQ(rq, withCrc({kSlave, 3, 0x11, 0x00, 0, 3}));
        return {{readReply(kSlave, {0x007D, 'p' << 8 | 'i', 0x2020})}, 0};
    });
    Bytes data;
    ASSERT_EQ(session.readBlock(kSettings, data), 0);
    EXPECT_EQ(data.size(), 6u);
    EXPECT_DOUBLE_EQ(fields.value(flow).number, 12.5);
    EXPECT_EQ(fields.value(name).text, "pi  ");
    EXPECT_EQ(link.firstByteTimeout(), kSavedTimeout);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(Session, SilentMeterIsReportedAndLeavesTheFields) {
    startPeer([](const Bytes&, int) { return PtyPeer::Answer{}; });
    fields.setValue(flow, FieldValue::ofNumber(3));
    int hidden = 0;
    session.setBeforeMessage([&] { ++hidden; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(session.readBlock(kSettings), -1);
    // Three attempts of the dialog's 60 ms, not of the link's 777 ms.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
    EXPECT_EQ(peer.requests(), 3);
    EXPECT_EQ(fields.value(flow).number, 3);
    EXPECT_EQ(link.firstByteTimeout(), kSavedTimeout);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Connexion impossible ! L'appareil ne répond pas !");
    EXPECT_EQ(prompts.shown[0].caption, "Erreur");
    EXPECT_EQ(prompts.shown[0].icon, CUserPrompts::Icon::Error);
    EXPECT_EQ(hidden, 1);
}

TEST_F(Session, PortThatCannotOpen) {
    ConnectionSettings c = session.connection();
    c.portNumber = 201; // no device
    session.setConnection(c);
    EXPECT_EQ(session.readBlock(kSettings), -1);
    EXPECT_EQ(session.writeBlock(kSettings), CDeviceSession::kPortUnavailable);
    session.setLanguage(2);
    EXPECT_EQ(session.readBlock(kSettings), -1);
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown[0].text, "Impossible d'ouvrir le port Com !");
    EXPECT_EQ(prompts.shown[1].text, "Impossible d'ouvrir le port Com !");
    EXPECT_EQ(prompts.shown[2].text, "Can not open Com port !");
    EXPECT_EQ(prompts.shown[2].caption, "Error");
    EXPECT_EQ(link.firstByteTimeout(), kSavedTimeout);
}

TEST_F(Session, FileOnlyModeReadsNothing) {
    startMeter("V2-CKS-1.0");
    session.setFileOnly(true);
    Sink sink;
    EXPECT_EQ(session.readBlock(kSettings), 0);
    EXPECT_EQ(session.startCyclicReading(sink, kSlave, 3, 0x1111, 2, 10, 2), 0);
    EXPECT_FALSE(link.polling());
    EXPECT_EQ(peer.requests(), 0);
    EXPECT_TRUE(prompts.shown.empty());

    struct Mode {
        int mode;
        bool settingsPage, fileOnly;
    };
    for (const Mode m : {Mode{4, false, true}, Mode{5, false, true}, Mode{2, false, false},
                         Mode{2, true, true}, Mode{1, true, false}, Mode{129, false, false}})
        EXPECT_EQ(CDeviceSession::isFileOnlyMode(m.mode, m.settingsPage), m.fileOnly) << m.mode;
}

TEST_F(Session, WriteSendsTheBlockBuiltFromTheFields) {
    fields.setValue(flow, FieldValue::ofNumber(12.5));
    fields.setValue(name, FieldValue::ofText("pi"));
    fields.add({0x0002, 0x0500, 0, 0x3000, "%s", 0, 3}, FieldValue::ofText("abc"));
    startPeer([](const Bytes& rq, int) -> PtyPeer::Answer {
        return {{withCrc({rq[0], 16, rq[2], rq[3], rq[4], rq[5]})}, 0};
    });
    EXPECT_EQ(session.writeBlock(kSettings), 0);
    EXPECT_EQ(session.writeBlock(0x3000), 0);
    const std::vector<Bytes> writes = peer.received();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0],
              withCrc({kSlave, 16, 0x11, 0x00, 0, 3, 6, 0x00, 0x7D, 'p', 'i', ' ', ' '}));
    // Three bytes make two registers; the fourth byte is zero.
    EXPECT_EQ(writes[1], withCrc({kSlave, 16, 0x30, 0x00, 0, 2, 4, 'a', 'b', 'c', 0}));
    EXPECT_EQ(link.firstByteTimeout(), kSavedTimeout);
    EXPECT_TRUE(prompts.shown.empty());
}

// The meter takes 150 ms to answer a write: enough within the dialog's write time-out, too
// slow for its read time-out.
TEST_F(Session, WriteWaitsWithTheWriteTimeOut) {
    startPeer([](const Bytes& rq, int) -> PtyPeer::Answer {
        return {{{}, withCrc({rq[0], 16, rq[2], rq[3], rq[4], rq[5]})}, 150};
    });
    ConnectionSettings c = session.connection();
    c.readTimeoutMs = 40;
    c.writeTimeoutMs = 400;
    session.setConnection(c);
    EXPECT_EQ(session.writeBlock(kSettings), 0);
    EXPECT_EQ(peer.requests(), 1);
    c.readTimeoutMs = 400;
    c.writeTimeoutMs = 40;
    session.setConnection(c);
    EXPECT_EQ(session.writeBlock(kSettings), -1);
    EXPECT_EQ(link.firstByteTimeout(), kSavedTimeout);
}

TEST_F(Session, WriteWithoutAnswerFails) {
    startPeer([](const Bytes&, int) { return PtyPeer::Answer{}; });
    EXPECT_EQ(session.writeBlock(kSettings), -1);
    EXPECT_EQ(link.firstByteTimeout(), kSavedTimeout);
}

TEST_F(Session, FirmwareThatDoesNotFitStopsBeforePolling) {
    startMeter("V1-ABC-2.0");
    int hidden = 0;
    session.setBeforeMessage([&] { ++hidden; });
    Sink sink;
    EXPECT_EQ(session.startCyclicReading(sink, kSlave, 3, 0x1111, 2, 10, 2), -1);
    EXPECT_FALSE(link.polling());
    EXPECT_EQ(peer.requests(), 1) << "only the identification block was read";
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "Version du firmware n'est pas compatible avec la version de ce logiciel.\n"
              "Veuillez utiliser le logiciel version V1\nOld meter");
    EXPECT_EQ(prompts.shown[0].caption, "Erreur");
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(session.identification().firmware, "V1-ABC-2.0");
    EXPECT_EQ(link.firstByteTimeout(), kSavedTimeout);

    session.setLanguage(2);
    EXPECT_EQ(session.checkFirmware("\xC3\xA9"
                                    "7-X",
                                    "new"),
              -1);
    EXPECT_EQ(prompts.shown.back().text,
              "The version of the firmware is not compatible with this software.\n"
              "Use the software version \xC3\xA9"
              "7\nnew");
    session.setCheckFirmware(false);
    EXPECT_EQ(session.checkFirmware("X9", "new"), 0);
    EXPECT_EQ(prompts.shown.size(), 2u);
}

TEST_F(Session, FittingFirmwareStartsThePolling) {
    startMeter("V2-CKS-1.0");
    Sink sink;
    ASSERT_EQ(session.startCyclicReading(sink, kSlave, 3, 0x1111, 2, 10, 2), 0);
    ASSERT_TRUE(sink.waitForOne());
    EXPECT_TRUE(link.polling());
    EXPECT_EQ(link.getRequest().data, (Bytes{0, 1, 0, 2}));
    EXPECT_EQ(link.firstByteTimeout(), kSavedTimeout);
    session.stopCyclicReading();
    EXPECT_FALSE(link.polling());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(Session, PolledWriteSendsTheEncodedBlock) {
    fields.setValue(flow, FieldValue::ofNumber(99.9));
    fields.setValue(name, FieldValue::ofText("ab"));
    startMeter("V2-CKS-1.0");
    Sink sink;
    ASSERT_EQ(session.startCyclicReading(sink, kSlave, 16, kSettings, 3, 10, 2), 0);
    ASSERT_TRUE(sink.waitForOne());
    session.stopCyclicReading();
    const std::vector<Bytes> received = peer.received();
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(received[1],
              withCrc({kSlave, 16, 0x11, 0x00, 0, 3, 6, 0x03, 0xE7, 'a', 'b', ' ', ' '}));
}

} // namespace
