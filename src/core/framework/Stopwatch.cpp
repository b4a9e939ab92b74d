#include "framework/Stopwatch.h"

#include <thread>

namespace ks {

double CStopwatch::elapsed() const {
    return std::chrono::duration<double>(Clock::now() - m_start).count();
}

void CStopwatch::wait(double seconds) {
    start();
    if (!(seconds > 0))
        return;
    constexpr double kLongestWait = 24.0 * 3600.0;
    if (seconds > kLongestWait)
        seconds = kLongestWait;
    const auto deadline = m_start + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(seconds));
    // sleep_until may wake early on a signal; sleep again until the deadline has passed.
    while (Clock::now() < deadline)
        std::this_thread::sleep_until(deadline);
}

} // namespace ks
