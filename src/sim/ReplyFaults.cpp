#include "sim/ReplyFaults.h"

#include <algorithm>
#include <cmath>

namespace ks::sim {

namespace {

double probability(double p) {
    return std::isfinite(p) ? std::clamp(p, 0.0, 1.0) : 0.0;
}

constexpr std::size_t kMaxReplacedBytes = 4;
constexpr std::size_t kMaxGarbageBytes = 8;

} // namespace

CReplyFaults::CReplyFaults(double drop, double corrupt, double noise, std::uint64_t seed)
    : m_drop(probability(drop)), m_corrupt(probability(corrupt)), m_noise(probability(noise)),
      m_rng(seed) {}

bool CReplyFaults::chance(double p) {
    // Every decision draws, so the sequence does not depend on which faults are enabled.
    const double u = std::uniform_real_distribution<double>(0.0, 1.0)(m_rng);
    return u < p;
}

std::size_t CReplyFaults::below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_rng);
}

void CReplyFaults::setMeterFaults(double exception, double wrongSlave, double late, int lateMs) {
    m_exception = probability(exception);
    m_wrongSlave = probability(wrongSlave);
    m_late = probability(late);
    m_lateMs = std::max(0, lateMs);
}

int CReplyFaults::applyMeterFaults(Bytes& reply) {
    if (reply.size() < 4)
        return 0;
    auto reseal = [&reply](Bytes body) {
        const std::uint16_t crc = crc16Register(body.data(), body.size());
        body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
        body.push_back(static_cast<std::uint8_t>(crc >> 8));
        reply.swap(body);
    };
    if (m_exception > 0 && chance(m_exception))
        reseal({reply[0], static_cast<std::uint8_t>(reply[1] | 0x80), 4});
    if (m_wrongSlave > 0 && chance(m_wrongSlave)) {
        Bytes body(reply.begin(), reply.end() - 2);
        body[0] = static_cast<std::uint8_t>(body[0] % 247 + 1);
        reseal(std::move(body));
    }
    return m_late > 0 && chance(m_late) ? m_lateMs : 0;
}

bool CReplyFaults::apply(Bytes& reply) {
    if (chance(m_drop))
        return false;
    if (chance(m_corrupt) && !reply.empty())
        reply[below(reply.size())] ^= static_cast<std::uint8_t>(1u << below(8));
    if (chance(m_noise)) {
        // 0: replace bytes, 1: append garbage, 2: both.
        const std::size_t mode = below(3);
        if (mode != 1 && !reply.empty()) {
            const std::size_t n = 1 + below(std::min(kMaxReplacedBytes, reply.size()));
            // XOR with 1..255 so that a replaced byte really changes.
            for (std::size_t i = 0; i < n; ++i)
                reply[below(reply.size())] ^= static_cast<std::uint8_t>(1 + below(255));
        }
        if (mode != 0 || reply.empty()) {
            const std::size_t n = 1 + below(kMaxGarbageBytes);
            for (std::size_t i = 0; i < n; ++i)
                reply.push_back(static_cast<std::uint8_t>(below(256)));
        }
    }
    return true;
}

} // namespace ks::sim
