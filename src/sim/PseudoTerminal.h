#pragma once

#include <string>

namespace ks::sim {

// The meter's end of a pseudo-terminal. The master side is the meter's line; the slave
// path is what a client opens as its serial port. The meter keeps the slave side open
// itself, so that a client closing it between runs does not hang the line up.
class CPseudoTerminal {
public:
    CPseudoTerminal() = default;
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    // Opens a raw pseudo-terminal at the given baud rate; false with a reason on failure.
    bool open(int baud, std::string* error);
    void close();

    int masterFd() const { return m_master; }
    const std::string& slavePath() const { return m_path; }

    // The rate the client last set on the line (the settings are shared by both sides);
    // 0 when it cannot be read or is not a known rate.
    int lineBaud() const;

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

// Baud rate to termios speed and back; 0 for rates this program does not use.
unsigned speedForBaud(int baud);
int baudForSpeed(unsigned speed);

} // namespace ks::sim
