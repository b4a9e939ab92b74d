#include "sim/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace ks::sim {

namespace {

struct SpeedEntry {
    int baud;
    speed_t speed;
};

constexpr SpeedEntry kSpeeds[] = {
    {300, B300},   {600, B600},     {1200, B1200},   {2400, B2400},   {4800, B4800},
    {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

std::string failure(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

unsigned speedForBaud(int baud) {
    for (const SpeedEntry& e : kSpeeds)
        if (e.baud == baud)
            return e.speed;
    return 0;
}

int baudForSpeed(unsigned speed) {
    for (const SpeedEntry& e : kSpeeds)
        if (e.speed == speed)
            return e.baud;
    return 0;
}

CPseudoTerminal::~CPseudoTerminal() {
    close();
}

bool CPseudoTerminal::open(int baud, std::string* error) {
    close();
    auto fail = [&](const char* what) {
        if (error != nullptr)
            *error = failure(what);
        close();
        return false;
    };
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail("posix_openpt");
    if (::grantpt(m_master) != 0)
        return fail("grantpt");
    if (::unlockpt(m_master) != 0)
        return fail("unlockpt");
    char name[128] = {};
    if (::ptsname_r(m_master, name, sizeof name) != 0)
        return fail("ptsname");
    m_path = name;
    m_slave = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0)
        return fail("open slave");

    termios tio{};
    if (::tcgetattr(m_slave, &tio) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    const speed_t speed = speedForBaud(baud) != 0 ? speedForBaud(baud) : B9600;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(m_slave, TCSANOW, &tio) != 0)
        return fail("tcsetattr");

    const int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail("fcntl");
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    return true;
}

void CPseudoTerminal::close() {
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
    m_path.clear();
}

int CPseudoTerminal::lineBaud() const {
    termios tio{};
    if (m_master < 0 || ::tcgetattr(m_master, &tio) != 0)
        return 0;
    return baudForSpeed(::cfgetospeed(&tio));
}

} // namespace ks::sim
