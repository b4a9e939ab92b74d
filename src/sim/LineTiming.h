#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace ks::sim {

// CLOCK_MONOTONIC in seconds.
double monotonicSeconds();

// Sleeps until the monotonic instant `deadline` (absolute, so repeated sleeps do not
// drift). Wakes at least every 20 ms to look at stop; false when stop was set.
bool sleepUntil(double deadline, const std::atomic<bool>& stop);

// Seconds one byte takes on the wire: start bit, 8 data bits, stop bit.
double byteSeconds(int baud);

// Writes all bytes to a non-blocking descriptor, waiting up to timeoutSeconds in total
// for room; false when it gave up or the descriptor failed.
bool writeAll(int fd, const std::uint8_t* bytes, std::size_t n, double timeoutSeconds);

// Writes byte i at start + (i + 1) * byteSeconds(baud): a receiver has a byte once its stop
// bit has crossed, as on a line at that rate. False when stop was set or a write failed.
bool writePaced(int fd, const std::uint8_t* bytes, std::size_t n, double start, int baud,
                const std::atomic<bool>& stop);

} // namespace ks::sim
