#include "measurement/EscFeed.h"
#include "measurement/MeasureDerived.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"

#include <gtest/gtest.h>

using namespace ks;
namespace id = ks::measure::id;

namespace {

struct EscFeedTest : ::testing::Test {
    GraphField deltaT{escDeltaTGraphSettings()};
    GraphField transit{escTransitGraphSettings()};
    EscInputs in{0.123, 60.987, 44.56, 45.44, 1482.0};
};

TEST_F(EscFeedTest, GraphsStartOnTheirOwnRanges) {
    EXPECT_EQ(deltaT.model().curve(0)->minimum, -0.5);
    EXPECT_EQ(deltaT.model().curve(0)->maximum, 0.5);
    EXPECT_EQ(transit.model().curve(0)->minimum, 60.5);
    EXPECT_EQ(transit.model().curve(0)->maximum, 61.5);
    EXPECT_EQ(deltaT.points().count(), 200u);
}

TEST_F(EscFeedTest, ConstantDeltaTNarrowsToItsTenths) {
    EscReadings r;
    for (int i = 0; i < 5; ++i)
        r = feedEsc(deltaT, transit, in);
    EXPECT_DOUBLE_EQ(r.deltaTMean, 0.123);
    EXPECT_NEAR(deltaT.model().curve(0)->minimum, 0.1, 1e-12);
    EXPECT_NEAR(deltaT.model().curve(0)->maximum, 0.2, 1e-12);
    EXPECT_NEAR(transit.model().curve(0)->minimum, 60.9, 1e-9);
    EXPECT_NEAR(transit.model().curve(0)->maximum, 61.0, 1e-9);
    EXPECT_EQ(deltaT.model().topLabel(), "0.20 ");
    EXPECT_DOUBLE_EQ(r.gainUp, 44.56);
    EXPECT_DOUBLE_EQ(r.gainDown, 45.44);
    EXPECT_NEAR(r.waterTemperature, 19.88, 0.01);
}

TEST_F(EscFeedTest, MeanAndRangeRunOverTheValuesHeld) {
    for (double v : {-0.26, 0.31, 0.04})
        feedEsc(deltaT, transit, {v, 61, 0, 0, 1400});
    EXPECT_NEAR(deltaT.curveStats().mean, 0.03, 1e-12);
    EXPECT_NEAR(deltaT.model().curve(0)->minimum, -0.3, 1e-12);
    EXPECT_NEAR(deltaT.model().curve(0)->maximum, 0.4, 1e-12);
    // 200 later values push the first three out.
    EscReadings r;
    for (int i = 0; i < 200; ++i)
        r = feedEsc(deltaT, transit, {1.05, 61, 0, 0, 1400});
    EXPECT_NEAR(r.deltaTMean, 1.05, 1e-12);
    EXPECT_NEAR(deltaT.model().curve(0)->minimum, 1.0, 1e-12);
    EXPECT_EQ(r.waterTemperature, -99);
}

TEST_F(EscFeedTest, ValuesOnATenthKeepARangeToDrawIn) {
    for (int i = 0; i < 3; ++i)
        feedEsc(deltaT, transit, {0.0, 61, 0, 0, 1482});
    EXPECT_LT(deltaT.model().curve(0)->minimum, deltaT.model().curve(0)->maximum);
    EXPECT_LE(deltaT.model().curve(0)->minimum, 0.0);
    EXPECT_GE(deltaT.model().curve(0)->maximum, 0.0);
}

TEST_F(EscFeedTest, MissingValuesLeaveTheRange) {
    feedEsc(deltaT, transit, {std::numeric_limits<double>::quiet_NaN(), 61, 0, 0, 1482});
    EXPECT_EQ(deltaT.model().curve(0)->minimum, -0.5);
    EXPECT_EQ(deltaT.model().curve(0)->maximum, 0.5);
}

TEST(EscInputsTest, EachChordReadsItsFullPrecisionFields) {
    CFieldList f;
    registerMeasureFields(f);
    const std::pair<int, double> values[] = {
        {id::kDeltaT1Full, 0.123456}, {id::kDeltaT1, 0.12},       {id::kTransit1Full, 60.98765},
        {id::kEscGainUp1, 44.5},      {id::kEscGainDown1, 45.5},  {id::kSoundSpeed1, 1482},
        {id::kDeltaT2Full, -0.5},     {id::kTransit2Full, 61.25}, {id::kEscGainUp2, 40},
        {id::kEscGainDown2, 41},      {id::kSoundSpeed2, 1490}};
    for (const auto& [fieldId, v] : values)
        f.find(fieldId)->setNumber(v);
    const EscInputs one = escInputs(f, 1);
    EXPECT_DOUBLE_EQ(one.deltaT, 0.123456);
    EXPECT_DOUBLE_EQ(one.transit, 60.98765);
    EXPECT_DOUBLE_EQ(one.gainUp, 44.5);
    EXPECT_DOUBLE_EQ(one.gainDown, 45.5);
    EXPECT_DOUBLE_EQ(one.soundSpeed, 1482);
    const EscInputs two = escInputs(f, 2);
    EXPECT_DOUBLE_EQ(two.deltaT, -0.5);
    EXPECT_DOUBLE_EQ(two.transit, 61.25);
    EXPECT_DOUBLE_EQ(two.soundSpeed, 1490);
}

TEST(EscFieldsTest, ReadingsShowInTheirFormats) {
    CFieldList f;
    registerEscFields(f);
    showEscReadings(f, {0.12345, 60.9876, 44.555, 45.4, -99});
    EXPECT_EQ(f.find(id::kEscDeltaTMean)->text(), "0.123");
    EXPECT_EQ(f.find(id::kEscTransitMean)->text(), "60.988");
    EXPECT_EQ(f.find(id::kEscGainDown)->text(), "45.40");
    EXPECT_EQ(f.find(id::kEscWaterTemperature)->text(), "-99.00");
    EXPECT_EQ(f.find(id::kEscWaterTemperature)->label(), "Température (EAU)");
    EXPECT_EQ(f.find(id::kEscWaterTemperature)->unit(), "°C");
}

TEST(EscCaptionTest, ChordOrPipe) {
    EXPECT_EQ(escCaptionText(1, 1), 80);
    EXPECT_EQ(escCaptionText(2, 2), 81);
    EXPECT_EQ(escCaptionText(1, 3), 77);
    EXPECT_EQ(escCaptionText(2, 3), 78);
}

} // namespace
