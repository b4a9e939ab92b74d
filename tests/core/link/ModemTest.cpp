// The dialler's steps and outcomes against a scripted modem, and a whole call through the
// simulated meter's modem.
#include "link/JBusLink.h"
#include "link/ModemCommands.h"
#include "link/ModemDialler.h"
#include "link/ModemOutcome.h"
#include "link/ResultCodes.h"
#include "sim/SimServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace ks {
namespace {

constexpr int kPort = 41;
constexpr int kBaud9600 = 5;

// A modem that answers each command line (ended by CR) with what its script says; an
// empty answer is silence. Keeps every byte it was sent.
class ScriptedModem {
public:
    using Script = std::function<std::string(const std::string& line)>;

    explicit ScriptedModem(Script script) : m_script(std::move(script)) {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        grantpt(m_master);
        unlockpt(m_master);
        m_path = ptsname(m_master);
        m_keep = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        tcgetattr(m_keep, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_keep, TCSANOW, &tio);
        m_thread = std::thread([this] { loop(); });
    }
    ~ScriptedModem() {
        m_run = false;
        m_thread.join();
        ::close(m_keep);
        ::close(m_master);
    }
    const std::string& path() const { return m_path; }
    std::string received() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_received;
    }

private:
    void loop() {
        std::string line;
        while (m_run) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0 || (p.revents & POLLIN) == 0)
                continue;
            char buf[256];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            for (ssize_t i = 0; i < n; ++i) {
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_received += buf[i];
                }
                line += buf[i];
                // "+++" has no line end: it is answered as a line of its own.
                if (buf[i] == '\r' || line == "+++") {
                    const std::string answer = m_script(line);
                    line.clear();
                    if (!answer.empty()) [[maybe_unused]]
                        auto w = ::write(m_master, answer.data(), answer.size());
                } else if (buf[i] == '\n') {
                    line.clear();
                }
            }
        }
    }

    Script m_script;
    int m_master = -1;
    int m_keep = -1;
    std::string m_path;
    std::atomic<bool> m_run{true};
    std::thread m_thread;
    std::mutex m_mutex;
    std::string m_received;
};

// Short waits: the scripted modem answers at once.
ModemTimeouts quickTimeouts() {
    ModemTimeouts t;
    t.initMs = 400;
    t.dialMs = 400;
    t.escapeMs = 400;
    t.hangUpMs = 400;
    t.beforeEscapeMs = 10;
    t.afterEscapeMs = 10;
    return t;
}

ModemCommandSet commands(const std::string& number, bool pulse = false) {
    return {modem::atCommand("&F E0"), modem::dialCommand(pulse, number), modem::atCommand("H0")};
}

struct DialRun {
    bool connected = false;
    std::vector<int> steps;
    std::vector<int> messages;
    std::string status;
    std::string sent;
};

DialRun dialScripted(const std::string& dialAnswer, const std::string& number = "123",
                     bool pulse = false) {
    ScriptedModem peer([&](const std::string& line) -> std::string {
        if (line.rfind("ATD", 0) == 0)
            return dialAnswer;
        return "\r\nOK\r\n";
    });
    CJBusLink link;
    link.serialLink().portTable().assign(kPort, peer.path());
    CModemDialler dialler(link, 1, quickTimeouts());
    DialRun run;
    dialler.setMessageSink([&](int text, int) { run.messages.push_back(text); });
    // The connect's own pause after CONNECT is part of the run.
    run.connected = dialler.connect(kPort, kBaud9600, commands(number, pulse));
    run.steps = dialler.steps();
    run.status = dialler.statusText();
    link.close();
    run.sent = peer.received();
    return run;
}

TEST(ModemCommands, StringsAreBuiltFromTheSettings) {
    EXPECT_EQ(modem::atCommand("&F S95=0 E0"), "AT &F S95=0 E0\r\n");
    EXPECT_EQ(modem::dialCommand(false, "0123"), "ATDT0123\r\n");
    EXPECT_EQ(modem::dialCommand(true, "0123"), "ATDP0123\r\n");
    EXPECT_EQ(modem::displayText("AT &F 50%\r\nOK\r\n\x01"), "AT &&F 50%%\nOK\n");
}

TEST(ModemDialler, RepliesToTheDiallingCommand) {
    using namespace modemstep;
    const struct {
        const char* answer;
        bool connected;
        std::vector<int> steps;
        std::vector<int> messages;
    } cases[] = {
        {"\r\nCONNECT 9600\r\n", true, {kText, kInit, kText, kDial}, {}},
        {"\r\nBUSY\r\n", false, {kText, kInit, kText, kDial}, {modemtext::kBusy}},
        {"\r\nNO DIALTONE\r\n", false, {kText, kInit, kText, kDial}, {modemtext::kNoDialtone}},
        // No carrier: the modem has hung up already, nothing more is sent.
        {"\r\nNO CARRIER\r\n", false, {kText, kInit, kText, kDial}, {modemtext::kConnectFailed}},
        // A reply nobody knows, and no reply at all: the hang-up sequence follows.
        {"\r\nNO ANSWER\r\n",
         false,
         {kText, kInit, kText, kDial, kText, kEscape, kText, kHangUp},
         {modemtext::kConnectFailed}},
        {"",
         false,
         {kText, kInit, kText, kDial, kText, kEscape, kText, kHangUp},
         {modemtext::kConnectFailed}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const DialRun run = dialScripted(c.answer);
        EXPECT_EQ(run.connected, c.connected);
        EXPECT_EQ(run.steps, c.steps);
        EXPECT_EQ(run.messages, c.messages);
        const bool hungUp = run.sent.find("+++") != std::string::npos;
        EXPECT_EQ(hungUp, c.steps.size() > 4);
        if (hungUp) {
            EXPECT_NE(run.sent.find("AT H0\r\n"), std::string::npos);
        }
    }
}

TEST(ModemDialler, InitialisationWithoutOkStopsBeforeDialling) {
    for (const std::string answer : {"", "\r\nERROR\r\n"}) {
        SCOPED_TRACE(answer);
        ScriptedModem peer([&](const std::string&) { return answer; });
        CJBusLink link;
        link.serialLink().portTable().assign(kPort, peer.path());
        CModemDialler dialler(link, 1, quickTimeouts());
        std::vector<int> messages;
        dialler.setMessageSink([&](int text, int) { messages.push_back(text); });
        EXPECT_FALSE(dialler.connect(kPort, kBaud9600, commands("123")));
        EXPECT_EQ(dialler.steps(), (std::vector<int>{modemstep::kText, modemstep::kInit}));
        EXPECT_EQ(messages, std::vector<int>{modemtext::kInitFailed});
        link.close();
        EXPECT_EQ(peer.received().find("ATD"), std::string::npos);
    }
}

TEST(ModemDialler, NumberGoesOutUnchangedAndShowsDoubled) {
    const DialRun tone = dialScripted("\r\nCONNECT 9600\r\n", "12&34%5");
    EXPECT_NE(tone.sent.find("ATDT12&34%5\r\n"), std::string::npos);
    EXPECT_NE(tone.status.find("Numérotation : ATDT12&&34%%5"), std::string::npos);
    EXPECT_NE(tone.status.find("Initialisation : AT &&F E0"), std::string::npos);

    const DialRun pulse = dialScripted("\r\nCONNECT 9600\r\n", "0123", true);
    EXPECT_NE(pulse.sent.find("ATDP0123\r\n"), std::string::npos);
}

TEST(ModemDialler, PortThatCannotOpen) {
    CJBusLink link;
    CModemDialler dialler(link, 2);
    std::vector<std::pair<int, int>> messages;
    dialler.setMessageSink([&](int text, int caption) { messages.emplace_back(text, caption); });
    EXPECT_FALSE(dialler.connect(250, kBaud9600, commands("1")));
    EXPECT_EQ(messages,
              (std::vector<std::pair<int, int>>{{modemtext::kCannotOpenPort, modemtext::kError}}));
}

TEST(ModemDialler, CancelEndsALongDialAtOnce) {
    ScriptedModem peer([](const std::string& line) -> std::string {
        return line.rfind("ATD", 0) == 0 ? "" : "\r\nOK\r\n";
    });
    CJBusLink link;
    link.serialLink().portTable().assign(kPort, peer.path());
    ModemTimeouts t = quickTimeouts();
    t.dialMs = 60000;
    CModemDialler dialler(link, 1, t);
    const auto start = std::chrono::steady_clock::now();
    // Cancelled while the modem is dialling.
    dialler.setStopCheck([&] { return peer.received().find("ATD") != std::string::npos; });
    EXPECT_FALSE(dialler.connect(kPort, kBaud9600, commands("1")));
    EXPECT_TRUE(dialler.wasCancelled());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    // The call the modem was still setting up is broken off with a key.
    std::string sent = peer.received();
    for (int i = 0; i < 100 && sent.back() != '\r'; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sent = peer.received();
    }
    link.close();
    EXPECT_EQ(sent.substr(sent.size() - 1), "\r");
}

TEST(ModemStepAction, HangUpEndsTheDialogByMode) {
    using End = ModemStepAction::End;
    EXPECT_EQ(modemStepAction(false, modemstep::kHangUp, "OK").end, End::Accept);
    EXPECT_EQ(modemStepAction(true, modemstep::kHangUp, "OK").end, End::Reject);
    EXPECT_EQ(modemStepAction(false, modemstep::kHangUp, "").message, modemtext::kDisconnectFailed);
    EXPECT_EQ(modemStepAction(false, modemstep::kEscape, "").end, End::Reject);
    EXPECT_EQ(modemStepAction(false, modemstep::kEscape, "\r\nOK\r\n").end, End::None);
    EXPECT_TRUE(modemStepAction(true, modemstep::kInit, "OK").resetProgress);
}

// A whole call through the simulated meter's modem: dial, read the identification block,
// hang up; then the meter is out of reach.
TEST(ModemDialler, CallThroughTheSimulatedModem) {
    sim::SimOptions o;
    o.modem = true;
    o.modemDelayMs = 200;
    sim::CSimServer server(o);
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    CJBusLink link;
    link.serialLink().portTable().assign(kPort, server.slavePath());
    link.setFirstByteTimeout(500);
    const ModemCommandSet c{modem::atCommand("&F S95=0 E0 Q0 V1 W2 &K0 M0"),
                            modem::dialCommand(false, "0123456"), modem::atCommand("H0")};
    link.setModemConnector([&](CFrameReceiver& rx) {
        CModemDialler dialler(rx, 1);
        return dialler.connect(kPort, kBaud9600, c) ? 0 : -1;
    });
    bool connected = false;
    ASSERT_EQ(link.open(kPort, kBaud9600, 'N', 8, 1, true, connected), 0);
    EXPECT_TRUE(connected);
    Bytes data;
    ASSERT_EQ(link.transaction(1, 3, 0xFF00, 25, data, 2), 0);
    EXPECT_EQ(data.size(), 50u);

    CModemDialler dialler(link, 1);
    EXPECT_TRUE(dialler.disconnect(kPort, kBaud9600, c.hangUp));
    EXPECT_NE(dialler.statusText().find("Raccrochage : AT H0"), std::string::npos);
    link.setFirstByteTimeout(200);
    EXPECT_EQ(link.transaction(1, 3, 0xFF00, 25, data, 2), LINK_NO_REPLY);
}

} // namespace
} // namespace ks
