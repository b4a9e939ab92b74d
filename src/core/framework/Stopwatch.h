#pragma once

#include <chrono>

namespace ks {

// Measures elapsed time on the monotonic clock, and waits without burning a core.
class CStopwatch {
public:
    CStopwatch() { start(); }

    void start() { m_start = Clock::now(); }
    // Seconds since the last start.
    double elapsed() const;
    // Starts, then sleeps until `seconds` have passed since that start; returns at once for a
    // value of 0 or less (or not a number). Waits are held to one day.
    void wait(double seconds);

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point m_start;
};

} // namespace ks
