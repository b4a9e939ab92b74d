#pragma once

#include "link/JBusFrame.h"

#include <cstdint>
#include <random>

namespace ks::sim {

// Line faults injected into the meter's replies, drawn from a seeded generator so a test
// run can be repeated exactly.
class CReplyFaults {
public:
    // Probabilities are clamped to 0..1.
    CReplyFaults(double drop, double corrupt, double noise, std::uint64_t seed);

    // Applies the faults drawn for one reply. False: the reply is lost (stay silent).
    bool apply(Bytes& reply);

    // Faults of the meter rather than of the line, drawn only when their probability is not
    // 0 (so the line faults of a seed stay the same): an exception reply (4, device failure)
    // instead of the reply, the reply sent under the next slave number, a late reply.
    void setMeterFaults(double exception, double wrongSlave, double late, int lateMs);
    // Applied before the line faults; returns how much later the reply goes out, in ms.
    int applyMeterFaults(Bytes& reply);

private:
    bool chance(double p);
    std::size_t below(std::size_t n);

    double m_drop, m_corrupt, m_noise;
    double m_exception = 0, m_wrongSlave = 0, m_late = 0;
    int m_lateMs = 0;
    std::mt19937_64 m_rng;
};

} // namespace ks::sim
