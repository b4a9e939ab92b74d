#pragma once

#include "link/JBusFrame.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace ks::sim {

// A Hayes-compatible modem between the program (the terminal side) and the simulated
// meter (the far end of the call). In command mode it answers AT command lines; a dial
// connects after a delay, and then bytes pass both ways until the escape "+++" (with a
// guard time of silence before and after it) brings back command mode or the carrier is
// lost. Numbers ending in "busy", "nodial" or "nocarrier" fail that way.
//
// It keeps no clock of its own: every call says what time it is (seconds).
class CHayesModem {
public:
    struct Options {
        double connectDelay = 1.5; // from the dial to "CONNECT"
        double dropAfter = 0;      // a call loses its carrier after this long; 0: never
        double guardTime = 1.0;    // silence around the escape
        int lineBaud = 9600;       // the rate "CONNECT" reports
    };
    enum class State { Command, Dialling, Online };

    explicit CHayesModem(Options options);

    // Bytes from the program: what reaches the meter goes to toMeter, answers of the modem
    // to toProgram.
    void fromProgram(const std::uint8_t* bytes, std::size_t n, double now, Bytes& toMeter,
                     Bytes& toProgram);
    // A reply of the meter; it reaches the program only while the call is online.
    void fromMeter(const Bytes& reply, Bytes& toProgram) const;
    // Lets time pass: the dial's outcome, the end of an escape, a lost carrier.
    void tick(double now, Bytes& toProgram);
    // When tick() next has something to do; negative when nothing waits.
    double nextDeadline() const;

    State state() const { return m_state; }
    bool carrier() const { return m_carrier; }
    bool echo() const { return m_echo; }

private:
    enum class Outcome { Connect, Busy, NoDialtone, NoCarrier };
    void commandByte(std::uint8_t b, double now, Bytes& toProgram);
    void runLine(const std::string& line, double now, Bytes& toProgram);
    // False when the command is not understood.
    bool runCommands(const std::string& commands, double now, Bytes& toProgram, bool& replied);
    void dial(const std::string& number, double now);
    void reply(const char* text, Bytes& toProgram) const;
    void goOnline(double now, Bytes& toProgram);
    void releasePluses(Bytes& toMeter);

    const Options m_options;
    State m_state = State::Command;
    bool m_carrier = false;
    bool m_echo = true;
    std::string m_line;
    Outcome m_outcome = Outcome::Connect;
    double m_dialEnd = 0;
    double m_callStart = 0;
    double m_lastByte = -1e9;
    int m_pluses = 0;
    double m_escapeAt = -1;
};

} // namespace ks::sim
