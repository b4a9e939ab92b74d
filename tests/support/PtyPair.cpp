#include "support/PtyPair.h"

#include "link/JBusFrame.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace ks::test {

Bytes withCrc(Bytes frame) {
    const std::uint16_t reg = crc16Register(frame.data(), frame.size());
    frame.push_back(static_cast<std::uint8_t>(reg & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(reg >> 8));
    return frame;
}

Bytes readReply(int slave, const std::vector<std::uint16_t>& registers) {
    Bytes b{static_cast<std::uint8_t>(slave), 3, static_cast<std::uint8_t>(2 * registers.size())};
    for (std::uint16_t r : registers) {
        b.push_back(static_cast<std::uint8_t>(r >> 8));
        b.push_back(static_cast<std::uint8_t>(r & 0xFF));
    }
    return withCrc(b);
}

PtyPeer::PtyPeer() = default;

PtyPeer::~PtyPeer() {
    stop();
}

bool PtyPeer::start(Script script) {
    m_script = std::move(script);
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return false;
    m_slavePath = ptsname(m_master);
    // Hold the slave open so the master never sees a hang-up between client opens.
    m_slaveKeep = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    tcgetattr(m_slaveKeep, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_slaveKeep, TCSANOW, &tio);
    m_run = true;
    m_thread = std::thread(&PtyPeer::loop, this);
    return true;
}

void PtyPeer::stop() {
    m_run = false;
    if (m_thread.joinable())
        m_thread.join();
    if (m_slaveKeep >= 0)
        ::close(m_slaveKeep);
    if (m_master >= 0)
        ::close(m_master);
    m_slaveKeep = m_master = -1;
}

std::vector<Bytes> PtyPeer::received() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

void PtyPeer::loop() {
    Bytes frame;
    while (m_run) {
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
            continue;
        std::uint8_t buf[512];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            continue;
        frame.insert(frame.end(), buf, buf + n);
        for (;;) {
            std::size_t need = 8;
            if (frame.size() >= 7 && frame[1] == 16)
                need = 9 + frame[6];
            if (frame.size() < need)
                break;
            Bytes request(frame.begin(), frame.begin() + static_cast<long>(need));
            frame.erase(frame.begin(), frame.begin() + static_cast<long>(need));
            const int index = m_requests.load();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_received.push_back(request);
            }
            const Answer answer = m_script(request, index);
            m_requests.fetch_add(1);
            for (std::size_t i = 0; i < answer.pieces.size(); ++i) {
                if (i > 0 && answer.pauseMs > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(answer.pauseMs));
                const Bytes& piece = answer.pieces[i];
                if (!piece.empty() && ::write(m_master, piece.data(), piece.size()) < 0)
                    break;
            }
        }
    }
}

} // namespace ks::test
