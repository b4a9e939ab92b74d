// The measurement block of a running meter: values that move smoothly and agree with
// each other and with the pipe described by the settings.
#include "MeterFixture.h"

#include "sim/FlowPhysics.h"

#include <cmath>
#include <numbers>
#include <vector>

using namespace ks;
using namespace ks::simtest;

namespace {

namespace M {
constexpr std::size_t kFlow = 0, kMeanVelocity = 4, kTot1 = 8, kFaults = 22, kKh1 = 26,
                      kDeltaT1 = 30, kTransit1 = 34, kGain1 = 52, kQuality1 = 54, kEscUp1 = 72,
                      kEscDown1 = 74, kDeltaT2 = 82, kTransit2 = 86, kVelocity1 = 90,
                      kVelocity2 = 94, kSound = 98, kSound1 = 102, kSound2 = 106, kQuality2 = 110,
                      kGain2 = 112, kChords = 118, kFlow1 = 144, kFlow2 = 148, kKh2 = 152,
                      kTwoPipes = 162, kTwoChords = 163;
}

// Bore of the default pipe: 27.9 mm outside, 0.9 mm wall.
const double kDefaultArea = std::numbers::pi * 0.0261 * 0.0261 / 4;

// Water temperature that gives this sound speed (bisection over 0..74 °C).
double waterTemperature(double c) {
    double lo = 0, hi = 74;
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        (c < sim::waterSoundSpeed(mid) ? hi : lo) = mid;
    }
    return (lo + hi) / 2;
}

struct Sample {
    double t;
    Bytes m;
};

class Measurement : public MeterFixture, public ::testing::WithParamInterface<int> {
protected:
    Measurement() : MeterFixture(withSlave(kSlave, GetParam())) {}

    std::vector<Sample> run(double from, double to, double step) {
        std::vector<Sample> out;
        for (double t = from; t <= to; t += step)
            out.push_back({t, readBlock(0x0010, 82, t)});
        return out;
    }
};

} // namespace

TEST_P(Measurement, ValuesArePhysicallyPlausible) {
    const int app = GetParam();
    const int chords = app == 1 ? 1 : 2;
    for (const Sample& s : run(0, 300, 2.5)) {
        SCOPED_TRACE(s.t);
        const Bytes& m = s.m;
        EXPECT_EQ(m[M::kChords], chords);
        EXPECT_EQ(m[M::kTwoPipes], app == 3 ? 1 : 0);
        EXPECT_EQ(m[M::kTwoChords], app == 2 ? 1 : 0);

        const double c = f32At(m, M::kSound);
        EXPECT_GT(waterTemperature(c), 10.0);
        EXPECT_LT(waterTemperature(c), 30.0);
        for (int k = 0; k < chords; ++k) {
            const double ck = f32At(m, k == 0 ? M::kSound1 : M::kSound2);
            const double vk = f32At(m, k == 0 ? M::kVelocity1 : M::kVelocity2);
            const double dt = f32At(m, k == 0 ? M::kDeltaT1 : M::kDeltaT2);
            const double transit = f32At(m, k == 0 ? M::kTransit1 : M::kTransit2);
            EXPECT_NEAR(ck, c, 2.0);
            EXPECT_GT(vk, 0.2);
            EXPECT_LT(vk, 3.0);
            // 282 mm path, 200 mm along the pipe (default settings).
            EXPECT_NEAR(transit, 0.282 / ck * 1e6, 0.1);
            EXPECT_NEAR(dt, 2 * 0.2 * vk / (ck * ck) * 1e9, 0.2);
            const int gain = m[k == 0 ? M::kGain1 : M::kGain2];
            const int quality = m[k == 0 ? M::kQuality1 : M::kQuality2];
            EXPECT_GT(gain, 20);
            EXPECT_LE(gain, 80); // the factory maximum
            EXPECT_GT(quality, 50);
            EXPECT_LE(quality, 99);
            const double kh = f32At(m, k == 0 ? M::kKh1 : M::kKh2);
            EXPECT_GE(kh, 0.75);
            EXPECT_LE(kh, 1.0);
        }
        if (chords == 1) {
            for (std::size_t off : {M::kDeltaT2, M::kTransit2, M::kVelocity2, M::kSound2})
                EXPECT_EQ(f32At(m, off), 0.0f);
            EXPECT_EQ(m[M::kGain2], 0);
        }
        // Gains for the echo view are hundredths of a dB around the chord's gain.
        EXPECT_NEAR(u16At(m, M::kEscUp1) / 100.0, m[M::kGain1], 1.5);
        EXPECT_NEAR(u16At(m, M::kEscDown1) / 100.0, m[M::kGain1], 1.5);

        const double flow = f32At(m, M::kFlow); // m3/h by default
        EXPECT_GT(flow, 0.0);
        EXPECT_LT(flow, 10.0); // below the full scale
        if (app == 3) {
            // Default total: +1 x Q1 - 1 x Q2.
            EXPECT_GT(f32At(m, M::kFlow2), 0.0f);
            EXPECT_NEAR(flow, f32At(m, M::kFlow1) - f32At(m, M::kFlow2), 1e-4);
        } else {
            EXPECT_NEAR(flow, f32At(m, M::kMeanVelocity) * kDefaultArea * 3600, 1e-3);
        }
    }
}

TEST_P(Measurement, FlowMovesSmoothlyAndTotalisersFollowIt) {
    const std::vector<Sample> samples = run(0, 240, 0.5);
    double sum = 0, sumSq = 0, volumeLitres = 0, largestJump = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const double q0 = f32At(samples[i - 1].m, M::kFlow);
        const double q1 = f32At(samples[i].m, M::kFlow);
        largestJump = std::max(largestJump, std::fabs(q1 - q0));
        sum += q1;
        sumSq += q1 * q1;
        volumeLitres += q1 / 3.6 * 0.5; // m3/h to l/s, times the step
    }
    const double n = static_cast<double>(samples.size() - 1);
    const double mean = sum / n;
    const double spread = std::sqrt(sumSq / n - mean * mean);
    EXPECT_GT(spread, 0.02 * mean) << "the flow should vary";
    EXPECT_LT(spread, 0.3 * mean);
    // Half a second apart the flow changes by a little noise, not by steps.
    EXPECT_LT(largestJump, 0.08 * mean);

    // Totaliser 1 counts decilitres (default pulse weight) of the total flow.
    const double counted =
        u32At(samples.back().m, M::kTot1) - static_cast<double>(u32At(samples.front().m, M::kTot1));
    EXPECT_NEAR(counted / 10.0, volumeLitres, 0.03 * volumeLitres);
}

std::string applicationName(const ::testing::TestParamInfo<int>& info) {
    static const char* const kNames[] = {"", "OneChord", "TwoChords", "TwoPipes"};
    return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Applications, Measurement, ::testing::Values(1, 2, 3), applicationName);

class MeasurementSettings : public MeterFixture {};

TEST_F(MeasurementSettings, FlowFollowsTheUnitAndPipeSettings) {
    struct Case {
        int unit;
        double factor; // m³/s to the unit
        int outerDiameterTenths;
    };
    const Case cases[] = {{0, 1000, 279}, {2, 3.6e6, 279}, {4, 3600, 1000}, {5, 86400, 2000}};
    double now = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        Bytes settings = readBlock(0x1100, 70, now);
        settings[4] = static_cast<std::uint8_t>(c.unit);
        settings[1] = static_cast<std::uint8_t>(c.outerDiameterTenths >> 16);
        settings[2] = static_cast<std::uint8_t>(c.outerDiameterTenths >> 8);
        settings[3] = static_cast<std::uint8_t>(c.outerDiameterTenths);
        ASSERT_EQ(writeBlock(0x1100, settings, now), 0);
        const Bytes m = readBlock(0x0010, 82, now += 1);
        EXPECT_EQ(m[18], c.unit);
        const double bore = (c.outerDiameterTenths / 10.0 - 1.8) / 1000;
        const double area = std::numbers::pi * bore * bore / 4;
        EXPECT_NEAR(f32At(m, M::kFlow), f32At(m, M::kMeanVelocity) * area * c.factor,
                    1e-4 * f32At(m, M::kFlow));
    }
}

TEST_F(MeasurementSettings, ManualKhIsUsedAsSet) {
    Bytes settings = readBlock(0x1100, 70);
    settings[5] = 1; // manual
    settings[6] = 0x03;
    settings[7] = 0x84; // 0.900
    ASSERT_EQ(writeBlock(0x1100, settings), 0);
    const Bytes m = readBlock(0x0010, 82, 3.0);
    EXPECT_EQ(m[21], 1);
    EXPECT_FLOAT_EQ(f32At(m, M::kKh1), 0.9f);
    EXPECT_NEAR(f32At(m, M::kMeanVelocity), 0.9 * f32At(m, M::kVelocity1), 1e-5);
}

TEST_F(MeasurementSettings, SimulationFunctionShowsTheSetFlow) {
    Bytes factory = readBlock(0x2200, 31);
    factory[0] = 1;                                          // simulation
    factory[1] = 0x00, factory[2] = 0x13, factory[3] = 0x88; // 5.000 in the flow unit
    ASSERT_EQ(writeBlock(0x2200, factory), 0);
    for (double t : {2.0, 7.5, 40.0})
        EXPECT_NEAR(f32At(readBlock(0x0010, 82, t), M::kFlow), 5.0, 1e-3) << t;
}

TEST_F(MeasurementSettings, ClockRunsWithTime) {
    auto seconds = [](const Bytes& m) {
        return m[38 + 3] * 86400 + m[38 + 2] * 3600 + m[38 + 5] * 60 + m[38 + 4];
    };
    const Bytes a = readBlock(0x0010, 82, 0.0);
    const Bytes b = readBlock(0x0010, 82, 65.0);
    // Across midnight the day changes too; across a month end this test would be 1 s off.
    EXPECT_EQ(seconds(b) - seconds(a), 65);
}

class FaultFlags : public MeterFixture {
protected:
    FaultFlags()
        : MeterFixture([] {
              sim::SimOptions o = withSlave(kSlave, 2);
              o.faults = 0x0004; // chord 2 lost
              return o;
          }()) {}
};

TEST_F(FaultFlags, FaultedChordHasNoSignal) {
    const Bytes m = readBlock(0x0010, 82, 4.0);
    EXPECT_EQ(u16At(m, M::kFaults), 0x0004);
    EXPECT_EQ(m[M::kQuality2], 0);
    EXPECT_EQ(m[M::kGain2], 80);
    EXPECT_GT(m[M::kQuality1], 50);
    // The flags can also be changed while running, for tests of the fault line.
    meter.setReg(0x0010 + 11, 0x0003);
    EXPECT_EQ(u16At(readBlock(0x0010, 82, 5.0), M::kFaults), 0x0003);
}
