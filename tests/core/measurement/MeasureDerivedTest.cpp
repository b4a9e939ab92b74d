#include "measurement/MeasureDerived.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ks;

namespace {

TEST(MeasureDerived, ApplicationTypeFromTheLayoutFlags) {
    struct Case {
        int secondChord, twoPipes, expected;
    } cases[] = {{0, 0, 1}, {1, 0, 2}, {0, 1, 3}, {1, 1, 2}, {-3, 0, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(applicationType(c.secondChord, c.twoPipes), c.expected)
            << c.secondChord << " " << c.twoPipes;
}

TEST(MeasureDerived, FaultCodePrecedence) {
    struct Case {
        int flags, chords, application, expected;
    } cases[] = {
        {0x0, 2, 0, 0}, // no fault
        {0x1, 1, 0, 1}, // flow fault
        {0x1, 1, 1, 4}, // the same as a velocity fault with the speed application
        {0x3, 2, 0, 1}, // bit 0 wins over bit 1
        {0x7, 2, 1, 4}, // and over bit 2
        {0x2, 1, 0, 2}, // chord 1
        {0x6, 2, 0, 2}, // bit 1 wins over bit 2
        {0x4, 2, 0, 3}, // chord 2 of a two-chord meter
        {0x4, 1, 0, 0}, // no chord 2 on a one-chord meter
        {0x8, 2, 0, 0}, // other bits name no fault
        {-1, 2, 0, 1},  // every bit of the signed word
    };
    for (const Case& c : cases)
        EXPECT_EQ(faultCode(c.flags, c.chords, c.application), c.expected)
            << "flags " << c.flags << " chords " << c.chords << " app " << c.application;
}

TEST(MeasureDerived, WaterTemperatureFromSoundSpeed) {
    EXPECT_DOUBLE_EQ(waterSoundSpeed(0), 1402.38744);
    struct Case {
        double speed, expected, tolerance;
    } cases[] = {
        {1402.38744, 0.0, 0.001}, // the speed at 0 degrees
        {1482.0, 19.88, 0.01},
        {1402.0, -99, 0}, // below the speed at 0 degrees
        {1560.0, 99, 0},  // above the speed at 74 degrees
        {waterSoundSpeed(74) + 1e-6, 99, 0},
        {waterSoundSpeed(37.5), 37.5, 0.001},
        {std::numeric_limits<double>::quiet_NaN(), -99, 0},
        {std::numeric_limits<double>::infinity(), 99, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(waterTemperature(c.speed), c.expected, c.tolerance) << c.speed;
}

TEST(MeasureDerived, BisectionMeetsTheSpeedToAThousandth) {
    for (double t = 0.5; t < 74; t += 3.7)
        EXPECT_LT(
            std::abs(waterSoundSpeed(waterTemperature(waterSoundSpeed(t))) - waterSoundSpeed(t)),
            0.001)
            << t;
}

TEST(MeasureDerived, GraphRangeFromFullScaleAndOptions) {
    struct Case {
        double fullScale;
        int minimum, maximum;
        GraphRange expected;
    } cases[] = {
        {12.5, 0, 2, {-12.5, 12.5}}, // the defaults
        {12.5, 1, 2, {0, 12.5}},
        {12.5, 2, 2, {12.5, 12.5}},
        {12.5, 0, 1, {-12.5, 0}},
        {12.5, 0, 0, {-12.5, -12.5}},
        {0, 0, 2, {0, 0}},
        {12.5, 7, -1, {-12.5, 12.5}}, // options from a damaged file fall back
    };
    for (const Case& c : cases)
        EXPECT_EQ(graphRange(c.fullScale, c.minimum, c.maximum), c.expected)
            << c.fullScale << " " << c.minimum << " " << c.maximum;
}

} // namespace
