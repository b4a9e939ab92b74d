#pragma once

#include "link/JBusFrame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ks::sim {

// Cuts the byte stream a slave receives into request frames. A frame's length follows
// from its function (3 and others: 8 bytes; 16: 9 + byte count). Bytes that cannot
// start a request are dropped; after a CRC failure everything is ignored until the line
// has been silent for the resync gap; a partial frame is abandoned after a longer
// silence. The buffer never holds more than one frame.
class CRequestFramer {
public:
    struct Request {
        Bytes bytes;
        double firstByteTime; // when its first byte was received
    };

    // Longest frame: function 16 with the largest byte count a byte can state.
    static constexpr std::size_t kMaxRequest = 9 + 255;

    CRequestFramer(double resyncGapSeconds, double partialTimeoutSeconds);

    // Bytes received at time now; complete requests (CRC good) are appended to out.
    void feed(const std::uint8_t* bytes, std::size_t n, double now, std::vector<Request>& out);
    // The line has been quiet up to now: ends a resync or abandons a stale partial frame.
    void idle(double now);
    // When idle() next has something to do, or a negative value when nothing waits.
    double nextDeadline() const;

    std::size_t pending() const { return m_buffer.size(); }
    bool resyncing() const { return m_resync; }

    // Requests the resync gap asks for at this baud rate: 3.5 character times of 10 bits,
    // at least 2 ms.
    static double resyncGap(int baud);

private:
    void extract(std::vector<Request>& out);

    const double m_gap;
    const double m_partialTimeout;
    Bytes m_buffer;
    double m_firstByteTime = 0;
    double m_lastByteTime = 0;
    bool m_resync = false;
};

} // namespace ks::sim
