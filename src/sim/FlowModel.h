#pragma once

#include "sim/RegisterImage.h"

#include <cstdint>
#include <random>

namespace ks::sim {

// The pipe flow the simulated meter measures. Each update moves the flow, the sound
// speed, gains and signal quality smoothly with a little noise, integrates the
// totalisers over the time since the previous update and writes the measured values
// into the measurement block, using the geometry and units of the stored settings.
class CFlowModel {
public:
    explicit CFlowModel(std::uint64_t seed);

    void update(CRegisterImage& image, double nowSeconds);
    // Totaliser 1 or 2 back to zero.
    void resetTotaliser(int which);
    // Chord 1's signal quality reaches 100 this many seconds after the first update;
    // negative: never.
    void setQualityAfter(double seconds) { m_qualityAfter = seconds; }

private:
    double gauss(double sigma);

    std::mt19937_64 m_rng;
    std::normal_distribution<double> m_normal{0.0, 1.0};
    double m_volumeLitres[2] = {1234500.0, 98700.0};
    double m_lastNow = 0;
    double m_firstNow = 0;
    double m_qualityAfter = -1;
    bool m_started = false;
};

} // namespace ks::sim
