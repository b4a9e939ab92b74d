// The simulated Hayes modem on a clock of the test's own: escape guard times, dial
// outcomes, the lost carrier.
#include "sim/HayesModem.h"

#include <gtest/gtest.h>

#include <string>

using ks::Bytes;
using ks::sim::CHayesModem;

namespace {

struct Line {
    CHayesModem modem{{0.5, 0, 1.0, 9600}};
    Bytes toMeter;
    std::string toProgram;

    void send(const std::string& text, double now) {
        Bytes out;
        modem.fromProgram(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), now,
                          toMeter, out);
        modem.tick(now, out);
        toProgram.append(out.begin(), out.end());
    }
    void at(double now) {
        Bytes out;
        modem.tick(now, out);
        toProgram.append(out.begin(), out.end());
    }
    void dial(const std::string& number) {
        send("AT E0\r\n", 0);
        send("ATDT" + number + "\r\n", 0.1);
        at(1.0);
    }
};

TEST(HayesModem, DialOutcomesByNumber) {
    const struct {
        const char* number;
        const char* reply;
        CHayesModem::State state;
    } cases[] = {
        {"0123", "CONNECT 9600", CHayesModem::State::Online},
        {"0123busy", "BUSY", CHayesModem::State::Command},
        {"0123nodial", "NO DIALTONE", CHayesModem::State::Command},
        {"0123NoCarrier", "NO CARRIER", CHayesModem::State::Command},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        Line l;
        l.dial(c.number);
        EXPECT_NE(l.toProgram.find(std::string("\r\n") + c.reply + "\r\n"), std::string::npos)
            << l.toProgram;
        EXPECT_EQ(l.modem.state(), c.state);
    }
}

TEST(HayesModem, EscapeNeedsSilenceOnBothSides) {
    Line l;
    l.dial("1");
    ASSERT_EQ(l.modem.state(), CHayesModem::State::Online);
    l.toProgram.clear();
    // Pluses right after data are data.
    l.send("x+++", 1.2);
    l.at(3.0);
    EXPECT_EQ(l.modem.state(), CHayesModem::State::Online);
    EXPECT_EQ(std::string(l.toMeter.begin(), l.toMeter.end()), "x+++");
    // A byte within the guard time after the pluses makes them data too.
    l.send("+++", 4.5);
    l.send("y", 5.0);
    l.at(7.0);
    EXPECT_EQ(l.modem.state(), CHayesModem::State::Online);
    EXPECT_EQ(std::string(l.toMeter.begin(), l.toMeter.end()), "x++++++y");
    // Silence, "+++", silence: command mode, the call still up; ATH0 hangs up.
    l.send("+++", 9.0);
    l.at(9.5);
    EXPECT_EQ(l.modem.state(), CHayesModem::State::Online);
    l.at(10.1);
    EXPECT_EQ(l.modem.state(), CHayesModem::State::Command);
    EXPECT_TRUE(l.modem.carrier());
    EXPECT_EQ(l.toProgram, "\r\nOK\r\n");
    l.send("AT H0\r\n", 11);
    EXPECT_FALSE(l.modem.carrier());
    EXPECT_EQ(l.toProgram, "\r\nOK\r\n\r\nOK\r\n");
}

TEST(HayesModem, CarrierDropsAfterItsTimeAndMeterGoesSilent) {
    CHayesModem modem({0.1, 5.0, 1.0, 9600});
    Bytes toMeter, out;
    const std::string dial = "ATE0DT1\r";
    modem.fromProgram(reinterpret_cast<const std::uint8_t*>(dial.data()), dial.size(), 0, toMeter,
                      out);
    modem.tick(0.2, out);
    ASSERT_EQ(modem.state(), CHayesModem::State::Online);
    EXPECT_NEAR(modem.nextDeadline(), 5.2, 1e-9);
    out.clear();
    modem.tick(5.3, out);
    EXPECT_EQ(std::string(out.begin(), out.end()), "\r\nNO CARRIER\r\n");
    Bytes passed;
    modem.fromMeter({1, 3, 0}, passed);
    EXPECT_TRUE(passed.empty());
}

} // namespace
