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

private:
    bool chance(double p);
    std::size_t below(std::size_t n);

    double m_drop, m_corrupt, m_noise;
    std::mt19937_64 m_rng;
};

} // namespace ks::sim
