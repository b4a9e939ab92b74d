#include "sim/LineTiming.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <poll.h>
#include <unistd.h>

namespace ks::sim {

namespace {

timespec toTimespec(double seconds) {
    timespec ts{};
    double whole = 0;
    const double frac = std::modf(std::max(seconds, 0.0), &whole);
    ts.tv_sec = static_cast<time_t>(whole);
    ts.tv_nsec = static_cast<long>(frac * 1e9);
    if (ts.tv_nsec >= 1000000000L) {
        ts.tv_nsec -= 1000000000L;
        ++ts.tv_sec;
    }
    return ts;
}

constexpr double kStopCheckSeconds = 0.020;

} // namespace

double monotonicSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

bool sleepUntil(double deadline, const std::atomic<bool>& stop) {
    for (;;) {
        if (stop.load())
            return false;
        const double now = monotonicSeconds();
        if (now >= deadline)
            return true;
        const timespec until = toTimespec(std::min(deadline, now + kStopCheckSeconds));
        // EINTR simply loops; the deadline is absolute.
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
    }
}

double byteSeconds(int baud) {
    return baud > 0 ? 10.0 / baud : 0.0;
}

bool writeAll(int fd, const std::uint8_t* bytes, std::size_t n, double timeoutSeconds) {
    const double giveUp = monotonicSeconds() + timeoutSeconds;
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd, bytes + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        const double left = giveUp - monotonicSeconds();
        if (left <= 0)
            return false;
        pollfd p{fd, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(std::ceil(left * 1000)));
    }
    return true;
}

bool writePaced(int fd, const std::uint8_t* bytes, std::size_t n, double start, int baud,
                const std::atomic<bool>& stop) {
    const double step = byteSeconds(baud);
    for (std::size_t i = 0; i < n; ++i) {
        if (!sleepUntil(start + static_cast<double>(i + 1) * step, stop))
            return false;
        if (!writeAll(fd, bytes + i, 1, 1.0))
            return false;
    }
    return true;
}

} // namespace ks::sim
