#include "SimTestSupport.h"

#include "sim/PseudoTerminal.h"

#include <bit>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace ks::simtest {

Bytes Exchange::read(int slave, int address, int count) {
    codec.encode(slave, 3, address, count, 2, {});
    return codec.requestBytes();
}

Bytes Exchange::write(int slave, int address, const Bytes& data) {
    codec.encode(slave, 16, address, static_cast<int>((data.size() + 1) / 2), 2, data);
    return codec.requestBytes();
}

int Exchange::check(const Bytes& reply, Bytes* data) {
    const int parsed = codec.parseReply(reply);
    if (parsed != 0)
        return parsed;
    const int valid = codec.validate();
    if (valid != 0)
        return valid;
    if (data != nullptr) {
        const Bytes& d = codec.reply().data;
        *data = codec.function() == 16 ? d : Bytes(d.begin() + 1, d.end());
    }
    return 0;
}

Bytes withCrc(Bytes b) {
    const std::uint16_t reg = crc16Register(b.data(), b.size());
    b.push_back(static_cast<std::uint8_t>(reg & 0xFF));
    b.push_back(static_cast<std::uint8_t>(reg >> 8));
    return b;
}

std::uint16_t u16At(const Bytes& d, std::size_t o) {
    return o + 1 < d.size() ? static_cast<std::uint16_t>(d[o] << 8 | d[o + 1]) : 0;
}

std::uint32_t u32At(const Bytes& d, std::size_t o) {
    return static_cast<std::uint32_t>(u16At(d, o)) << 16 | u16At(d, o + 2);
}

std::int32_t s24At(const Bytes& d, std::size_t o) {
    if (o + 2 >= d.size())
        return 0;
    const std::uint32_t raw = static_cast<std::uint32_t>(d[o]) << 16 | d[o + 1] << 8 | d[o + 2];
    return static_cast<std::int32_t>(raw ^ 0x800000u) - 0x800000;
}

float f32At(const Bytes& d, std::size_t o) {
    return std::bit_cast<float>(u32At(d, o));
}

std::string textAt(const Bytes& d, std::size_t o, std::size_t length) {
    std::string s;
    for (std::size_t i = o; i < o + length && i < d.size() && d[i] != 0; ++i)
        s.push_back(static_cast<char>(d[i]));
    return s;
}

RawTty::~RawTty() {
    close();
}

bool RawTty::open(const std::string& path, int baud) {
    close();
    m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    if (!setBaud(baud)) {
        close();
        return false;
    }
    // Whatever an earlier client left unread is not ours.
    ::tcflush(m_fd, TCIOFLUSH);
    return true;
}

void RawTty::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool RawTty::setBaud(int baud) {
    termios tio{};
    if (m_fd < 0 || ::tcgetattr(m_fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    const speed_t speed = sim::speedForBaud(baud);
    return speed != 0 && ::cfsetispeed(&tio, speed) == 0 && ::cfsetospeed(&tio, speed) == 0 &&
           ::tcsetattr(m_fd, TCSANOW, &tio) == 0;
}

bool RawTty::send(const Bytes& bytes) {
    std::size_t done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t w = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (w <= 0)
            return false;
        done += static_cast<std::size_t>(w);
    }
    return done == bytes.size();
}

Bytes RawTty::receive(std::size_t expected, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Bytes out;
    std::uint8_t buf[512];
    while (m_fd >= 0 && out.size() < expected) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n > 0)
            out.insert(out.end(), buf, buf + n);
    }
    return out;
}

Bytes RawTty::receiveUntilQuiet(int quietMs) {
    Bytes out;
    std::uint8_t buf[512];
    for (;;) {
        pollfd p{m_fd, POLLIN, 0};
        if (m_fd < 0 || ::poll(&p, 1, quietMs) <= 0)
            return out;
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n > 0)
            out.insert(out.end(), buf, buf + n);
        else
            return out;
    }
}

} // namespace ks::simtest
