#pragma once

namespace ks::sim {

// Speed of sound in pure water at temperature t (°C), m/s.
double waterSoundSpeed(double celsius);

// Inner cross-section (m²) of a pipe from its outer diameter and wall thickness (mm);
// 0 for a pipe whose wall leaves no bore.
double pipeArea(double outerDiameterMm, double wallMm);

// m³/s to the meter's flow unit by its index (l/s, l/mn, l/h, m3/s, m3/h, m3/j);
// an unknown index counts as m3/h, the factory unit.
double flowUnitFactor(int unitIndex);

// Litres per totaliser pulse by pulse-weight index (cl ... 100m3); unknown: 1 l.
double pulseLitres(int weightIndex);

// Ratio of the area-mean velocity to the velocity along a diametral chord, from the
// Reynolds number: a laminar profile below the critical value, else a turbulent one.
double profileFactor(double reynolds, double criticalReynolds);

// Transit-time difference (ns) of a chord with the given axial projection (mm) in a flow
// of v m/s with sound speed c m/s.
double chordDeltaTNs(double axialMm, double velocity, double soundSpeed);

} // namespace ks::sim
