#include "sim/FlowModel.h"

#include "sim/BlockMap.h"
#include "sim/EchoTables.h"
#include "sim/FlowPhysics.h"
#include "sim/MeterLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ks::sim {

namespace {

namespace M = layout::meas;
namespace S = layout::set;
namespace F = layout::fac;

double wave(double t, double period, double phase = 0) {
    return std::sin(2 * std::numbers::pi * t / period + phase);
}

// What the settings say about one measuring path.
struct Path {
    double lengthMm;
    double axialMm;
    double boreMm;
    double area;
};

Path pathOf(const CRegisterImage& im, int chord, bool ownPipe) {
    const int s = kSettingsBlock;
    Path p{};
    p.lengthMm = im.s24(s, chord == 0 ? S::kLength1 : S::kLength2) / 10.0;
    p.axialMm = im.s24(s, chord == 0 ? S::kAxial1 : S::kAxial2) / 10.0;
    const bool second = chord == 1 && ownPipe;
    const double outer = im.s24(s, second ? S::kOuterDiameter2 : S::kOuterDiameter1) / 10.0;
    const double wall = im.u16(s, second ? S::kThickness2 : S::kThickness1) / 10.0;
    p.boreMm = std::max(0.0, outer - 2 * wall);
    p.area = pipeArea(outer, wall);
    return p;
}

// The coefficient list "-1", "+0", "+1" of the two-pipe total.
double coefficient(int index) {
    return std::clamp(index, 0, 2) - 1.0;
}

double clampFinite(double v, double lo, double hi) {
    return std::clamp(std::isfinite(v) ? v : 0.0, lo, hi);
}

} // namespace

CFlowModel::CFlowModel(std::uint64_t seed) : m_rng(seed ^ 0x9E3779B97F4A7C15ull) {}

double CFlowModel::gauss(double sigma) {
    return sigma * m_normal(m_rng);
}

void CFlowModel::resetTotaliser(int which) {
    if (which == 1 || which == 2)
        m_volumeLitres[which - 1] = 0;
}

void CFlowModel::update(CRegisterImage& im, double now) {
    if (!std::isfinite(now))
        return;
    // Time never runs backwards for the totalisers; a long pause integrates in one step.
    const double dt = m_started ? std::clamp(now - m_lastNow, 0.0, 1e7) : 0.0;
    if (!m_started)
        m_firstNow = now;
    m_started = true;
    m_lastNow = std::max(m_lastNow, now);
    const double t = now;

    const int m = kMeasurementBlock;
    const int s = kSettingsBlock;
    const bool twoPipes = im.u8(m, M::kTwoPipes) != 0;
    const int chords = im.u8(m, M::kChords) > 1 ? 2 : 1;
    const Path path[2] = {pathOf(im, 0, twoPipes), pathOf(im, 1, twoPipes)};
    const int unit = im.u8(s, S::kFlowUnit);
    const double toUnit = flowUnitFactor(unit);
    const double viscosity = std::max(im.u16(s, S::kViscosity) / 10.0, 0.01) * 1e-6; // m²/s
    const double criticalRe = im.u16(s, S::kCriticalReynolds);
    const bool manualKh = im.u8(s, S::kKhType) == 1;
    const double manualKhValue = im.u16(s, S::kKh) / 1000.0;
    const int gainMax = std::clamp<int>(im.u8(kFactoryBlock, F::kGainMax), 0, 127);

    auto khFor = [&](double velocity, double boreMm) {
        if (manualKh)
            return manualKhValue;
        return profileFactor(std::fabs(velocity) * boreMm / 1000.0 / viscosity, criticalRe);
    };

    // Water a little below 18 °C that warms and cools slowly.
    const double temperature = 18.0 + 0.4 * wave(t, 600) + gauss(0.01);
    const double c = waterSoundSpeed(temperature);
    const double speed[2] = {c + 0.3 + gauss(0.05), c - 0.2 + gauss(0.05)};

    // Velocities along the paths (before the profile factor).
    double v[2] = {0, 0};
    double simulatedKh = 0;
    const bool simulation = im.u8(kFactoryBlock, F::kFunction) == 1;
    if (simulation) {
        // The meter's own test function: a set flow with an optional ripple on pipe 1.
        const double ripple = im.u8(kFactoryBlock, F::kRipple) / 100.0;
        const double q =
            im.s24(kFactoryBlock, F::kSimulatedFlow) / 1000.0 / toUnit * (1 + ripple * wave(t, 10));
        const double mean = path[0].area > 0 ? q / path[0].area : 0;
        simulatedKh = khFor(mean, path[0].boreMm);
        v[0] = simulatedKh > 0 ? mean / simulatedKh : 0;
        v[1] = twoPipes ? 0 : v[0];
    } else {
        const double base = 1.25 * (1 + 0.12 * wave(t, 90) + 0.03 * wave(t, 23, 1));
        v[0] = base + gauss(0.005);
        v[1] = twoPipes ? 0.35 * (1 + 0.1 * wave(t, 70, 2)) + gauss(0.003)
                        : 0.97 * base + gauss(0.005);
    }
    if (chords == 1)
        v[1] = 0;
    // Odd settings (a bore of a hair, a Kh of 0) must not turn into infinite velocities.
    for (double& x : v)
        x = clampFinite(x, -100.0, 100.0);

    double kh[2] = {khFor(v[0], path[0].boreMm),
                    chords > 1 ? khFor(v[1], path[twoPipes ? 1 : 0].boreMm) : 0.0};
    if (simulation) {
        // The set flow is shown exactly: keep the factor it was divided by.
        kh[0] = simulatedKh;
        if (chords > 1 && !twoPipes)
            kh[1] = simulatedKh;
    }
    double meanVelocity = kh[0] * v[0];
    if (chords > 1 && !twoPipes)
        meanVelocity = (kh[0] * v[0] + kh[1] * v[1]) / 2;

    double flow = meanVelocity * path[0].area; // m³/s
    double flow1 = 0, flow2 = 0;
    if (twoPipes) {
        flow1 = kh[0] * v[0] * path[0].area;
        flow2 = kh[1] * v[1] * path[1].area;
        flow = coefficient(im.u8(s, S::kCoefficientQ1)) * flow1 +
               coefficient(im.u8(s, S::kCoefficientQ2)) * flow2;
    }

    im.setF32(m, M::kFlow, static_cast<float>(flow * toUnit));
    im.setF32(m, M::kMeanVelocity, static_cast<float>(meanVelocity));
    im.setF32(m, M::kFlow1, static_cast<float>(flow1 * toUnit));
    im.setF32(m, M::kFlow2, static_cast<float>(flow2 * toUnit));
    im.setF32(m, M::kKh1, static_cast<float>(kh[0]));
    im.setF32(m, M::kKh2, static_cast<float>(kh[1]));
    im.setF32(m, M::kSoundSpeed,
              static_cast<float>(chords > 1 ? (speed[0] + speed[1]) / 2 : speed[0]));
    im.setF32(m, M::kProbeDiameter1, static_cast<float>(path[0].boreMm));
    im.setF32(m, M::kProbeDiameter2,
              static_cast<float>(chords > 1 ? path[twoPipes ? 1 : 0].boreMm : 0.0));

    const int faults = im.u16(m, M::kFaults);
    struct ChordFields {
        int velocity, sound, deltaT, transit, gain, quality, escUp, escDown;
    };
    static const ChordFields kFields[2] = {
        {M::kVelocity1, M::kSoundSpeed1, M::kDeltaT1, M::kTransit1, M::kGain1, M::kQuality1,
         M::kEscGainUp1, M::kEscGainDown1},
        {M::kVelocity2, M::kSoundSpeed2, M::kDeltaT2, M::kTransit2, M::kGain2, M::kQuality2,
         M::kEscGainUp2, M::kEscGainDown2}};
    for (int k = 0; k < 2; ++k) {
        const ChordFields& f = kFields[k];
        if (k >= chords) {
            for (int off : {f.velocity, f.sound, f.deltaT, f.transit})
                im.setF32(m, off, 0.0f);
            for (int off : {f.gain, f.quality})
                im.setU8(m, off, 0);
            im.setU16(m, f.escUp, 0);
            im.setU16(m, f.escDown, 0);
            clearEchoTables(im, k);
            continue;
        }
        const Path& p = path[k];
        const double deltaT = chordDeltaTNs(p.axialMm, v[k], speed[k]) + gauss(0.02);
        const double transit = p.lengthMm / 1000.0 / speed[k] * 1e6 + gauss(0.005);
        double gain = (k == 0 ? 44 : 47) + 2 * wave(t, 45 + 6 * k, k) + gauss(0.3);
        double quality = 93 + 3 * wave(t, 33 + 4 * k, 2 * k) + gauss(0.7);
        quality = clampFinite(quality, 0, 99);
        // A settled chord 1 reports a perfect signal (what a bench test waits for).
        if (k == 0 && m_qualityAfter >= 0 && now - m_firstNow >= m_qualityAfter)
            quality = 100;
        // A chord in fault has lost its echo: no quality, the receiver at full gain.
        if ((faults & (k == 0 ? 0x2 : 0x4)) != 0) {
            gain = gainMax;
            quality = 0;
        }
        gain = clampFinite(gain, 0, gainMax);
        im.setF32(m, f.velocity, static_cast<float>(v[k]));
        im.setF32(m, f.sound, static_cast<float>(speed[k]));
        im.setF32(m, f.deltaT, static_cast<float>(deltaT));
        im.setF32(m, f.transit, static_cast<float>(transit));
        im.setU8(m, f.gain, static_cast<int>(std::lround(gain)));
        im.setU8(m, f.quality, static_cast<int>(std::lround(quality)));
        const bool lost = (faults & (k == 0 ? 0x2 : 0x4)) != 0;
        writeEchoTables(im, k,
                        {gain, transit, im.u8(s, k == 0 ? S::kPolarity1 : S::kPolarity2), lost});
        const double up = clampFinite(gain - 0.4 + gauss(0.05), 0, 655.35);
        const double down = clampFinite(gain + 0.4 + gauss(0.05), 0, 655.35);
        im.setU16(m, f.escUp, static_cast<int>(std::lround(up * 100)));
        im.setU16(m, f.escDown, static_cast<int>(std::lround(down * 100)));
    }

    // Totalisers: the selected flow (two-pipe meters choose QT, Q1 or Q2) in the selected
    // direction, counted in pulses of the pulse weight.
    const double litres = pulseLitres(im.u8(s, S::kPulseWeight));
    const int selections[2] = {im.u8(s, S::kVolumeType1), im.u8(s, S::kVolumeType2)};
    const int directions[2] = {im.u8(s, S::kDirection1), im.u8(s, S::kDirection2)};
    for (int k = 0; k < 2; ++k) {
        double q = flow;
        if (twoPipes && selections[k] == 1)
            q = flow1;
        else if (twoPipes && selections[k] == 2)
            q = flow2;
        const double added = q * dt * 1000.0;
        double& volume = m_volumeLitres[k];
        if (directions[k] == 1)
            volume += std::max(added, 0.0);
        else if (directions[k] == 2)
            volume += std::max(-added, 0.0);
        else
            volume = std::max(volume + added, 0.0);
        if (!std::isfinite(volume))
            volume = 0;
        const double pulses = std::fmod(std::floor(volume / litres), 4294967296.0);
        im.setU32(m, k == 0 ? M::kTotaliser1 : M::kTotaliser2, static_cast<std::uint32_t>(pulses));
    }
}

} // namespace ks::sim
