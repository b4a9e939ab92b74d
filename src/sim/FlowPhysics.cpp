#include "sim/FlowPhysics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ks::sim {

double waterSoundSpeed(double t) {
    return 1402.38744 + 5.03836171 * t - 0.0581172916 * t * t + 3.34638117e-4 * t * t * t -
           1.48259672e-6 * t * t * t * t + 3.1658502e-9 * t * t * t * t * t;
}

double pipeArea(double outerDiameterMm, double wallMm) {
    const double bore = (outerDiameterMm - 2 * wallMm) / 1000.0;
    if (!(bore > 0))
        return 0;
    return std::numbers::pi * bore * bore / 4;
}

double flowUnitFactor(int unitIndex) {
    static const double kFactors[6] = {1000.0, 60000.0, 3.6e6, 1.0, 3600.0, 86400.0};
    return unitIndex >= 0 && unitIndex < 6 ? kFactors[unitIndex] : 3600.0;
}

double pulseLitres(int weightIndex) {
    static const double kLitres[8] = {0.01, 0.1, 1, 10, 100, 1000, 10000, 100000};
    return weightIndex >= 0 && weightIndex < 8 ? kLitres[weightIndex] : 1.0;
}

double profileFactor(double reynolds, double criticalReynolds) {
    if (!(reynolds > 0) || reynolds < criticalReynolds)
        return 0.75;
    // Turbulent power-law profile: the factor rises slowly towards 1 with the Reynolds number.
    return std::clamp(1.0 / (1.119 - 0.011 * std::log10(reynolds)), 0.75, 1.0);
}

double chordDeltaTNs(double axialMm, double velocity, double soundSpeed) {
    if (!(soundSpeed > 0))
        return 0;
    return 2.0 * (axialMm / 1000.0) * velocity / (soundSpeed * soundSpeed) * 1e9;
}

} // namespace ks::sim
