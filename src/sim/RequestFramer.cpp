#include "sim/RequestFramer.h"

#include <algorithm>

namespace ks::sim {

namespace {

// Modbus reserves slave addresses above 247; function codes with bit 7 set are replies.
bool canStartFrame(std::uint8_t slave) {
    return slave <= 247;
}
bool canBeFunction(std::uint8_t function) {
    return function != 0 && function < 0x80;
}

} // namespace

CRequestFramer::CRequestFramer(double resyncGapSeconds, double partialTimeoutSeconds)
    : m_gap(resyncGapSeconds), m_partialTimeout(std::max(partialTimeoutSeconds, resyncGapSeconds)) {
    m_buffer.reserve(kMaxRequest);
}

double CRequestFramer::resyncGap(int baud) {
    const double chars = baud > 0 ? 35.0 / baud : 0.0;
    return std::max(chars, 0.002);
}

void CRequestFramer::idle(double now) {
    const double quiet = now - m_lastByteTime;
    if (m_resync && quiet >= m_gap)
        m_resync = false;
    if (!m_buffer.empty() && quiet >= m_partialTimeout)
        m_buffer.clear();
}

double CRequestFramer::nextDeadline() const {
    if (m_resync)
        return m_lastByteTime + m_gap;
    if (!m_buffer.empty())
        return m_lastByteTime + m_partialTimeout;
    return -1;
}

void CRequestFramer::feed(const std::uint8_t* bytes, std::size_t n, double now,
                          std::vector<Request>& out) {
    if (n == 0)
        return;
    idle(now);
    m_lastByteTime = now;
    for (std::size_t i = 0; i < n; ++i) {
        if (m_resync)
            return; // the rest of this burst is part of the garbage
        if (m_buffer.empty())
            m_firstByteTime = now;
        m_buffer.push_back(bytes[i]);
        extract(out);
    }
}

void CRequestFramer::extract(std::vector<Request>& out) {
    // Called after each byte, so the buffer grows one byte at a time up to one frame.
    for (;;) {
        if (m_buffer.empty())
            return;
        if (!canStartFrame(m_buffer[0])) {
            m_buffer.erase(m_buffer.begin());
            continue;
        }
        if (m_buffer.size() >= 2 && !canBeFunction(m_buffer[1])) {
            m_buffer.erase(m_buffer.begin());
            continue;
        }
        std::size_t expected = 8;
        if (m_buffer.size() >= 2 && m_buffer[1] == 16) {
            if (m_buffer.size() < 7)
                return;
            // Any byte count frames a request: the meter itself refuses counts that do
            // not fit, with an exception reply the master can understand.
            expected = 9 + std::size_t{m_buffer[6]};
        }
        if (m_buffer.size() < expected)
            return;
        const std::uint16_t reg = crc16Register(m_buffer.data(), expected - 2);
        if (m_buffer[expected - 2] != (reg & 0xFF) || m_buffer[expected - 1] != (reg >> 8)) {
            m_buffer.clear();
            m_resync = true;
            return;
        }
        out.push_back({Bytes(m_buffer.begin(), m_buffer.begin() + expected), m_firstByteTime});
        m_buffer.clear();
        return;
    }
}

} // namespace ks::sim
