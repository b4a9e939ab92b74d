#include "link/PosixCommPort.h"

#include "link/ResultCodes.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace ks {

namespace {

constexpr int kErrOverrun = 0x02;
constexpr int kErrParity = 0x04;
constexpr int kErrFrame = 0x08;
constexpr int kErrBreak = 0x10;

speed_t speedFor(long baud) {
    switch (baud) {
    case 50:
        return B50;
    case 75:
        return B75;
    case 110:
        return B110;
    case 134:
        return B134;
    case 150:
        return B150;
    case 200:
        return B200;
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 1800:
        return B1800;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return 0;
    }
}

bool notATty(int err) {
    return err == ENOTTY || err == EINVAL || err == ENOSYS;
}

// What a device that went away answers (an unplugged adapter, a pty whose other end closed).
bool deviceGone(int err) {
    return err == EIO || err == ENXIO || err == ENODEV || err == EPIPE;
}

} // namespace

PosixCommPort::PosixCommPort(int portIndex, std::string path)
    : CommPort(portIndex), m_path(std::move(path)) {}

PosixCommPort::~PosixCommPort() {
    if (m_fd >= 0)
        close();
}

int PosixCommPort::sysFail(int err) {
    m_osError = err;
    return result(portResultFromErrno(err));
}

int PosixCommPort::openDevice() {
    const int fd = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return sysFail(errno);
    // Nobody else may use the port while we hold it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        return sysFail(err == EWOULDBLOCK ? EBUSY : err);
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        const int err = errno;
        ::close(fd);
        return sysFail(err);
    }
    m_fd = fd;
    m_savedTio = tio;
    m_haveSaved = true;
    ::ioctl(fd, TIOCEXCL);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    m_tio = tio;
    m_lineErrors = 0;
    m_bufStart = m_bufEnd = 0;
    // DTR and RTS on, as a modem or a powered adapter expects.
    setDtr(true);
    setRts(true);
    return result(0);
}

int PosixCommPort::applyTermios() {
    if (::tcsetattr(m_fd, TCSANOW, &m_tio) != 0)
        return sysFail(errno);
    return result(0);
}

int PosixCommPort::setLine(long baud, char parity, int dataBits, int stopBits) {
    if (baud > 115200)
        return result(PORT_ILLEGAL_BAUD);
    const speed_t speed = speedFor(baud);
    if (speed == 0)
        return sysFail(EINVAL);
    tcflag_t parityFlags = 0;
    switch (std::toupper(static_cast<unsigned char>(parity))) {
    case 'E':
        parityFlags = PARENB;
        break;
    case 'O':
        parityFlags = PARENB | PARODD;
        break;
    case 'M':
        parityFlags = PARENB | PARODD | CMSPAR;
        break;
    case 'S':
        parityFlags = PARENB | CMSPAR;
        break;
    case 'N':
        parityFlags = 0;
        break;
    default:
        return result(PORT_ILLEGAL_PARITY);
    }
    if (stopBits != 1 && stopBits != 2)
        return result(PORT_ILLEGAL_STOP_BITS);
    tcflag_t size = 0;
    switch (dataBits) {
    case 5:
        size = CS5;
        break;
    case 6:
        size = CS6;
        break;
    case 7:
        size = CS7;
        break;
    case 8:
        size = CS8;
        break;
    default:
        return sysFail(EINVAL);
    }
    termios tio = m_tio;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    tio.c_cflag |= size | parityFlags | (stopBits == 2 ? CSTOPB : 0);
    // Parity errors are counted by the driver, never stripped or marked in the data.
    tio.c_iflag &= ~static_cast<tcflag_t>(INPCK | PARMRK | ISTRIP | IGNPAR);
    m_tio = tio;
    const int r = applyTermios();
    if (r != 0)
        return r;
    m_baud = baud;
    m_parity = static_cast<char>(std::toupper(static_cast<unsigned char>(parity)));
    m_dataBits = dataBits;
    m_stopBits = stopBits;
    return 0;
}

int PosixCommPort::setSoftwareFlowControl(bool on) {
    if (on)
        m_tio.c_iflag |= IXON | IXOFF;
    else
        m_tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
    return applyTermios();
}

int PosixCommPort::setRtsCtsHandshake(bool on) {
    if (on)
        m_tio.c_cflag |= CRTSCTS;
    else
        m_tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    return applyTermios();
}

int PosixCommPort::setDtrDsrHandshake(bool on) {
    // termios has no DSR output flow control: keep DTR raised and remember the wish.
    m_dtrDsr = on;
    setDtr(true);
    return result(0);
}

int PosixCommPort::setModemLine(int bit, bool on) {
    if (::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &bit) != 0 && notATty(errno))
        return result(0); // a pty has no modem lines; the result is ignored anyway
    return result(0);
}

int PosixCommPort::setDtr(bool on) {
    return setModemLine(TIOCM_DTR, on);
}
int PosixCommPort::setRts(bool on) {
    return setModemLine(TIOCM_RTS, on);
}

void PosixCommPort::accumulateErrors() {
    if (m_countersMissing)
        return;
    serial_icounter_struct c{};
    if (::ioctl(m_fd, TIOCGICOUNT, &c) != 0) {
        // A pty or a USB adapter without counters: do not ask again on every byte.
        m_countersMissing = notATty(errno);
        return;
    }
    if (m_countersKnown) {
        if (c.frame != m_lastFrame)
            m_lineErrors |= kErrFrame;
        if (c.overrun != m_lastOverrun || c.buf_overrun != m_lastBufOverrun)
            m_lineErrors |= kErrOverrun;
        if (c.parity != m_lastParity)
            m_lineErrors |= kErrParity;
        if (c.brk != m_lastBreak)
            m_lineErrors |= kErrBreak;
    }
    m_lastFrame = c.frame;
    m_lastOverrun = c.overrun;
    m_lastParity = c.parity;
    m_lastBreak = c.brk;
    m_lastBufOverrun = c.buf_overrun;
    m_countersKnown = true;
}

int PosixCommPort::outputUsed() {
    accumulateErrors();
    int n = 0;
    if (::ioctl(m_fd, TIOCOUTQ, &n) != 0)
        return sysFail(errno);
    result(0);
    return n;
}

int PosixCommPort::outputFree() {
    const int used = outputUsed();
    return used < 0 ? used : std::max(0, kOutputQueueSize - used);
}

int PosixCommPort::inputUsed() {
    accumulateErrors();
    int n = 0;
    if (::ioctl(m_fd, FIONREAD, &n) != 0)
        return sysFail(errno);
    result(0);
    return n + (m_bufEnd - m_bufStart);
}

int PosixCommPort::inputFree() {
    const int used = inputUsed();
    return used < 0 ? used : std::max(0, kInputQueueSize - used);
}

int PosixCommPort::clearOutput() {
    if (::tcflush(m_fd, TCOFLUSH) != 0)
        return sysFail(errno);
    return result(0);
}

int PosixCommPort::fillBuffer() {
    if (m_bufStart < m_bufEnd)
        return 0;
    m_bufStart = m_bufEnd = 0;
    for (;;) {
        const ssize_t n = ::read(m_fd, m_buf, sizeof m_buf);
        if (n > 0) {
            m_bufEnd = static_cast<int>(n);
            return 0;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno == EAGAIN)
            return PORT_NOTHING_TO_READ;
        if (deviceGone(errno)) {
            m_osError = errno;
            return PORT_LOST;
        }
        return sysFail(errno);
    }
}

int PosixCommPort::readByte() {
    const int r = fillBuffer();
    if (r != 0)
        return result(r);
    result(0);
    return m_buf[m_bufStart++];
}

int PosixCommPort::readBlock(unsigned char* dest, int maximum) {
    accumulateErrors();
    m_lastCount = 0;
    while (m_lastCount < maximum) {
        const int r = fillBuffer();
        if (r == PORT_NOTHING_TO_READ)
            break;
        if (r != 0)
            return r;
        const int take = std::min(maximum - m_lastCount, m_bufEnd - m_bufStart);
        std::memcpy(dest + m_lastCount, m_buf + m_bufStart, static_cast<std::size_t>(take));
        m_bufStart += take;
        m_lastCount += take;
    }
    return result(m_lastCount == 0 ? PORT_NOTHING_TO_READ : 0);
}

int PosixCommPort::writeBlock(const unsigned char* bytes, int n) {
    accumulateErrors();
    m_lastCount = 0;
    while (m_lastCount < n) {
        const ssize_t w =
            ::write(m_fd, bytes + m_lastCount, static_cast<std::size_t>(n - m_lastCount));
        if (w > 0) {
            m_lastCount += static_cast<int>(w);
            continue;
        }
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && errno != EAGAIN)
            m_osError = errno;
        if (w < 0 && deviceGone(errno))
            return result(PORT_LOST);
        break;
    }
    return result(m_lastCount == n ? 0 : PORT_WRITE_INCOMPLETE);
}

int PosixCommPort::writeByte(unsigned char b) {
    return writeBlock(&b, 1);
}

int PosixCommPort::waitReadable(int timeoutMs) {
    if (m_bufStart < m_bufEnd)
        return 0;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    for (;;) {
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            wait = static_cast<int>(std::max<long long>(0, left));
        }
        pollfd p{m_fd, POLLIN, 0};
        const int r = ::poll(&p, 1, wait);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return sysFail(errno);
        if (r == 0)
            return PORT_NOTHING_TO_READ;
        // A hang-up or an error (adapter unplugged, pty peer closed) never clears by itself:
        // the port is lost, whatever is still readable.
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
            return result(PORT_LOST);
        if (p.revents & POLLIN)
            return 0;
        std::this_thread::sleep_until(deadline);
        return PORT_NOTHING_TO_READ;
    }
}

int PosixCommPort::sendBreak(int ms) {
    if (::ioctl(m_fd, TIOCSBRK) != 0)
        return notATty(errno) ? notSupported() : sysFail(errno);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, ms)));
    ::ioctl(m_fd, TIOCCBRK);
    return result(0);
}

int PosixCommPort::modemStatus() {
    int bits = 0;
    if (::ioctl(m_fd, TIOCMGET, &bits) != 0)
        return notATty(errno) ? notSupported() : sysFail(errno);
    int s = 0;
    if (bits & TIOCM_CTS)
        s |= 0x10;
    if (bits & TIOCM_DSR)
        s |= 0x20;
    if (bits & TIOCM_RI)
        s |= 0x40;
    if (bits & TIOCM_CD)
        s |= 0x80;
    result(0);
    return s;
}

int PosixCommPort::lineStatus() {
    serial_icounter_struct c{};
    if (::ioctl(m_fd, TIOCGICOUNT, &c) != 0)
        return notATty(errno) ? notSupported() : sysFail(errno);
    accumulateErrors();
    result(0);
    return m_lineErrors & 0x1E;
}

int PosixCommPort::clearLineErrors() {
    m_lineErrors = 0;
    return result(0);
}

int PosixCommPort::dump(const DumpLine& line) {
    const int rxUsed = inputUsed();
    const int txUsed = outputUsed();
    const int ls = lineStatus() < 0 ? 0 : m_lineErrors;
    const int ms = std::max(0, modemStatus());
    const int parityCode = m_parity == 'O'   ? 1
                           : m_parity == 'E' ? 2
                           : m_parity == 'M' ? 3
                           : m_parity == 'S' ? 4
                                             : 0;
    const bool rtsCts = (m_tio.c_cflag & CRTSCTS) != 0;
    const int xonLim = kInputQueueSize / 4;
    char text[160];
    line("");
    std::snprintf(text, sizeof text,
                  "Port type:  POSIX termios  BaudRate: %-6ld  ByteSize: %1d  Parity: %1d", m_baud,
                  m_dataBits, parityCode);
    line(text);
    std::snprintf(text, sizeof text, "StopBits: %1d fBinary: %1d  fRtsControl: %1d",
                  m_stopBits == 2 ? 2 : 0, 1, rtsCts ? 2 : 1);
    line(text);
    std::snprintf(
        text, sizeof text,
        "Parity: %1d  OutCtsFlow: %1d  OutDsrFlow: %1d  DtrControl: %1d  OutX: %1d  InX: %1d",
        parityCode != 0, rtsCts, m_dtrDsr, m_dtrDsr ? 2 : 1, (m_tio.c_iflag & IXON) != 0,
        (m_tio.c_iflag & IXOFF) != 0);
    line(text);
    std::snprintf(text, sizeof text,
                  "Null: %1d  DtrControl: %1d  RtsControl: %1d  XonChar: %02x  XoffChar: %02x", 0,
                  m_dtrDsr ? 2 : 1, rtsCts ? 2 : 1, m_tio.c_cc[VSTART], m_tio.c_cc[VSTOP]);
    line(text);
    std::snprintf(text, sizeof text, "XonLim: %-5u XoffLim: %-5u EofChr: %02x  EvtChr: %02x",
                  static_cast<unsigned>(xonLim), static_cast<unsigned>(xonLim), 0, 0);
    line(text);
    std::snprintf(text, sizeof text,
                  "RX count/free: %5d/%-5d  TX count/free: %5d/%-5d  BREAK/FE/OE/PE: %d%d%d%d",
                  std::max(0, rxUsed), kInputQueueSize - std::max(0, rxUsed), std::max(0, txUsed),
                  kOutputQueueSize - std::max(0, txUsed), (ls & kErrBreak) != 0,
                  (ls & kErrFrame) != 0, (ls & kErrOverrun) != 0, (ls & kErrParity) != 0);
    line(text);
    std::snprintf(text, sizeof text, "CE_BREAK:%d  CE_FRAME:%d  CE_MODE:%d CE_OVERRUN:%d",
                  (m_lineErrors & kErrBreak) != 0, (m_lineErrors & kErrFrame) != 0, 0,
                  (m_lineErrors & kErrOverrun) != 0);
    line(text);
    std::snprintf(text, sizeof text,
                  "CE_RXOVER:%d CE_RXPARITY:%d CE_TXFULL:%d  CTS/DSR/RI/CD: %d%d%d%d", 0,
                  (m_lineErrors & kErrParity) != 0, 0, (ms & 0x10) != 0, (ms & 0x20) != 0,
                  (ms & 0x40) != 0, (ms & 0x80) != 0);
    line(text);
    std::snprintf(text, sizeof text, "8250:%.4x", 0u);
    line(text);
    return result(0);
}

int PosixCommPort::close() {
    if (m_fd < 0)
        return result(0);
    setDtr(false);
    setRts(false);
    if (m_haveSaved)
        ::tcsetattr(m_fd, TCSANOW, &m_savedTio);
    const int fd = m_fd;
    m_fd = -1;
    m_bufStart = m_bufEnd = 0;
    if (::close(fd) != 0)
        return sysFail(errno);
    return result(0);
}

std::unique_ptr<CommPort> openPort(const std::string& devicePath, int portIndex, long baud,
                                   char parity, int dataBits, int stopBits) {
    auto port = std::make_unique<PosixCommPort>(portIndex, devicePath);
    if (port->openDevice() != 0)
        return port;
    if (port->setLine(baud, parity, dataBits, stopBits) != 0) {
        // Release the device once; the record keeps the line's result code.
        const int code = port->status();
        port->close();
        port->restoreStatus(code);
    }
    return port;
}

} // namespace ks
