#include "sim/SimServer.h"

#include "sim/HayesModem.h"
#include "sim/LineTiming.h"
#include "sim/ReplyFaults.h"
#include "sim/RequestFramer.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace ks::sim {

namespace {

// A partial request is abandoned after this much silence. Longer than the resync gap, so
// that a master pausing between bytes (as on a Bluetooth link) is still understood.
constexpr double kPartialTimeout = 0.100;
// How long the server waits before looking at a hung-up or failing line again.
constexpr int kRetryMs = 50;
// A client that does not read its replies must not stall the server.
constexpr double kWriteTimeout = 1.0;

} // namespace

CSimServer::CSimServer(const SimOptions& options) : m_options(options), m_meter(options) {}

CSimServer::~CSimServer() {
    stop();
}

std::string CSimServer::slavePath() const {
    return m_path;
}

bool CSimServer::start(std::string* error) {
    if (m_thread.joinable()) {
        if (error != nullptr)
            *error = "already started";
        return false;
    }
    if (speedForBaud(m_options.baud) == 0) {
        if (error != nullptr)
            *error = "unsupported baud rate " + std::to_string(m_options.baud);
        return false;
    }
    if (!m_pty.open(m_options.baud, error))
        return false;
    if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error != nullptr)
            *error = std::string("pipe: ") + std::strerror(errno);
        m_pty.close();
        return false;
    }
    m_path = m_pty.slavePath();
    m_stop = false;
    m_startTime = monotonicSeconds();
    m_thread = std::thread([this] { run(); });
    return true;
}

void CSimServer::stop() {
    m_stop = true;
    if (m_wake[1] >= 0) {
        const char b = 1;
        [[maybe_unused]] const ssize_t w = ::write(m_wake[1], &b, 1);
    }
    if (m_thread.joinable())
        m_thread.join();
    for (int& fd : m_wake) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    m_pty.close();
    m_path.clear();
}

bool CSimServer::waitForWake(int timeoutMs) {
    pollfd p{m_wake[0], POLLIN, 0};
    ::poll(&p, 1, timeoutMs);
    return !m_stop;
}

void CSimServer::run() {
    CRequestFramer framer(CRequestFramer::resyncGap(m_options.baud), kPartialTimeout);
    CReplyFaults faults(m_options.drop, m_options.corrupt, m_options.noise,
                        m_options.seed ^ 0xD1B54A32D192ED03ull);
    faults.setMeterFaults(m_options.exception, m_options.wrongSlave, m_options.late,
                          m_options.lateMs);
    std::vector<CRequestFramer::Request> requests;
    std::uint8_t chunk[512];
    std::unique_ptr<CHayesModem> modem;
    if (m_options.modem)
        modem = std::make_unique<CHayesModem>(CHayesModem::Options{
            m_options.modemDelayMs / 1000.0, m_options.modemDropSeconds, 1.0, m_options.baud});
    Bytes toProgram;
    // What the modem has to say goes out at once.
    auto sendModemOutput = [&] {
        if (!toProgram.empty())
            writeAll(m_pty.masterFd(), toProgram.data(), toProgram.size(), kWriteTimeout);
        toProgram.clear();
    };

    while (!m_stop) {
        if (modem) {
            modem->tick(monotonicSeconds(), toProgram);
            sendModemOutput();
        }
        int timeoutMs = -1;
        double deadline = framer.nextDeadline();
        if (modem && modem->nextDeadline() >= 0 &&
            (deadline < 0 || modem->nextDeadline() < deadline))
            deadline = modem->nextDeadline();
        if (deadline >= 0)
            timeoutMs =
                std::max(0, static_cast<int>(std::ceil((deadline - monotonicSeconds()) * 1000)));
        pollfd fds[2] = {{m_pty.masterFd(), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (m_stop)
            break;
        if (ready < 0) {
            if (errno != EINTR)
                waitForWake(kRetryMs);
            continue;
        }
        if (ready == 0) {
            framer.idle(monotonicSeconds());
            continue;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            // Hung up or in error without data: the line comes back when a client
            // opens it again.
            if (fds[0].revents != 0)
                waitForWake(kRetryMs);
            continue;
        }
        const ssize_t got = ::read(m_pty.masterFd(), chunk, sizeof chunk);
        if (got <= 0) {
            if (got < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            waitForWake(kRetryMs); // EIO while no client holds the line open
            continue;
        }
        requests.clear();
        if (modem) {
            Bytes toMeter;
            modem->fromProgram(chunk, static_cast<std::size_t>(got), monotonicSeconds(), toMeter,
                               toProgram);
            sendModemOutput();
            framer.feed(toMeter.data(), toMeter.size(), monotonicSeconds(), requests);
        } else {
            framer.feed(chunk, static_cast<std::size_t>(got), monotonicSeconds(), requests);
        }
        for (const auto& r : requests) {
            if (m_stop)
                break;
            // A line at another rate would deliver only garbage to the meter (behind a
            // modem the meter's line is the far modem's business).
            if (!modem && m_pty.lineBaud() != m_options.baud)
                continue;
            Bytes reply = m_meter.handleRequest(r.bytes.data(), r.bytes.size(),
                                                monotonicSeconds() - m_startTime);
            if (reply.empty())
                continue;
            const int lateMs = faults.applyMeterFaults(reply);
            if (!faults.apply(reply))
                continue;
            if (modem) {
                // A call that is gone (or back in command mode) carries nothing.
                Bytes passed;
                modem->fromMeter(reply, passed);
                reply.swap(passed);
                if (reply.empty())
                    continue;
            }
            double start = monotonicSeconds();
            if (m_options.pace)
                start = std::max(start, r.firstByteTime + static_cast<double>(r.bytes.size()) *
                                                              byteSeconds(m_options.baud));
            start += (std::max(0, m_options.delayMs) + lateMs) / 1000.0;
            if (m_options.pace) {
                writePaced(m_pty.masterFd(), reply.data(), reply.size(), start, m_options.baud,
                           m_stop);
            } else if (sleepUntil(start, m_stop)) {
                writeAll(m_pty.masterFd(), reply.data(), reply.size(), kWriteTimeout);
            }
        }
    }
}

} // namespace ks::sim
