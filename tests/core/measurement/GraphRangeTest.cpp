#include "measurement/graph/GraphModel.h"
#include "measurement/graph/PixelMapping.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace ks;

namespace {

constexpr double M = kMissingValue;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct CurveSetup {
    SampleSeries values;
    unsigned style;
    double minimum = -1.0;
    double maximum = 1.0;
};

struct Range {
    double minimum, maximum;
};

std::vector<Range> rangesAfterUpdate(const std::vector<CurveSetup>& curves) {
    GraphModel g;
    g.place(0, 0, 200, 100, 1, 10);
    for (std::size_t i = 0; i < curves.size(); ++i)
        EXPECT_EQ(g.setCurve(static_cast<int>(i), curves[i].values, curves[i].minimum,
                             curves[i].maximum, {}, curves[i].style),
                  0);
    g.update();
    std::vector<Range> out;
    for (std::size_t i = 0; i < curves.size(); ++i)
        out.push_back({g.view(static_cast<int>(i)).minimum, g.view(static_cast<int>(i)).maximum});
    return out;
}

} // namespace

TEST(GraphRanges, AutomaticStylesShareTheLargestMagnitude) {
    struct Case {
        const char* what;
        std::vector<CurveSetup> curves;
        std::vector<Range> expected;
    };
    const Case cases[] = {
        {"symmetric", {{{-3, 5, 1}, 0x08}}, {{-5, 5}}},
        {"symmetric from a negative minimum", {{{-7, 2}, 0x08}}, {{-7, 7}}},
        {"positive", {{{-3, 5}, 0x10}}, {{0, 5}}},
        {"span takes the last automatic curve's extremes",
         {{{-3, 5}, 0x08}, {{1, 2}, 0x20}},
         {{-5, 5}, {1, 2}}},
        {"two symmetric curves share A", {{{-1, 2}, 0x08}, {{-4, 0}, 0x09}}, {{-4, 4}, {-4, 4}}},
        {"an all-missing curve does not widen",
         {{{M, M}, 0x08}, {{-1, 2}, 0x08}},
         {{-2, 2}, {-2, 2}}},
        {"an all-missing curve is not the last automatic one",
         {{{-1, 3}, 0x20}, {{M, M}, 0x10}},
         {{-1, 3}, {0, 3}}},
        {"non-finite values are ignored", {{{kNaN, -2, kInf, 1}, 0x08}}, {{-2, 2}}},
        {"a fixed curve keeps its range beside automatic ones",
         {{{-3, 5}, 0x08}, {{100, 200}, 0x01, 60.5, 61.5}},
         {{-5, 5}, {60.5, 61.5}}},
    };
    for (const Case& k : cases) {
        const std::vector<Range> got = rangesAfterUpdate(k.curves);
        ASSERT_EQ(got.size(), k.expected.size()) << k.what;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].minimum, k.expected[i].minimum) << k.what << " curve " << i;
            EXPECT_EQ(got[i].maximum, k.expected[i].maximum) << k.what << " curve " << i;
        }
    }
}

TEST(GraphRanges, OnlyMissingValuesLeaveNothingToDraw) {
    GraphModel g;
    g.place(0, 0, 200, 100, 1, 10);
    g.setCurve(0, SampleSeries{M, M, M}, 0, 1, {}, 0x08);
    g.update();
    EXPECT_FALSE(g.view(0).mapped);
}

TEST(GraphPixels, ValuesMapLinearlyAndOutOfRangeBecomesMissing) {
    const SampleSeries in{0, 5, 10, 10.0001, -1, M, kNaN, kInf, 2.5};
    const auto px = mapToPixels(in, 0, 10, 100);
    ASSERT_TRUE(px);
    EXPECT_EQ(*px, (SampleSeries{0, 50, 100, M, M, M, M, M, 25}));
}

TEST(GraphPixels, RefusedRangesAndAreasGiveNoPixels) {
    struct Case {
        double minimum, maximum;
        int height;
    };
    const Case cases[] = {
        {1, 1, 100},
        {2, 1, 100},
        {0, 1, 0},
        {0, 1, -5},
        {-kInf, 1, 100},
        {0, kNaN, 100},
        {-1.7e308, 1.7e308, 100}, // the span itself overflows
    };
    for (const Case& k : cases)
        EXPECT_FALSE(mapToPixels(SampleSeries{0.5}, k.minimum, k.maximum, k.height))
            << k.minimum << " .. " << k.maximum << " height " << k.height;
}

TEST(GraphPixels, UpdateRefusesAnAreaWithoutSize) {
    GraphModel g;
    g.setCurve(0, SampleSeries{0.5}, 0, 1, {}, 1);
    for (const Placement p :
         {Placement{0, 0, 100, 0}, Placement{0, 0, 0, 100}, Placement{10, 10, 5, 50}}) {
        g.setPlacement(p.left, p.top, p.right, p.bottom);
        g.update();
        EXPECT_FALSE(g.view(0).mapped);
    }
    g.setPlacement(10, 20, 110, 70);
    g.update();
    ASSERT_TRUE(g.view(0).mapped);
    EXPECT_EQ(g.view(0).pixels, (SampleSeries{25}));
}
