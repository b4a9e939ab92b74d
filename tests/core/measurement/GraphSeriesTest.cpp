#include "measurement/graph/SampleSeries.h"
#include "measurement/graph/SeriesThinning.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace ks;

namespace {

constexpr double M = kMissingValue;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

TEST(GraphSeries, OperationsChangeValuesAsDocumented) {
    struct Case {
        const char* what;
        SampleSeries start;
        std::function<int(SampleSeries&)> operation;
        int result;
        SampleSeries expected;
    };
    const Case cases[] = {
        {"resize to the same count keeps values",
         {1, 2, 3},
         [](SampleSeries& s) {
             s.resize(3);
             return 0;
         },
         0,
         {1, 2, 3}},
        {"resize to another count discards values",
         {1, 2, 3},
         [](SampleSeries& s) {
             s.resize(2);
             return 0;
         },
         0,
         {M, M}},
        {"fill",
         {1, 2, 3},
         [](SampleSeries& s) {
             s.fill(7);
             return 0;
         },
         0,
         {7, 7, 7}},
        {"set inside", {1, 2, 3}, [](SampleSeries& s) { return s.set(2, 9); }, 0, {1, 2, 9}},
        {"set at the count is refused",
         {1, 2, 3},
         [](SampleSeries& s) { return s.set(3, 9); },
         -1,
         {1, 2, 3}},
        {"set on an empty series is refused",
         {},
         [](SampleSeries& s) { return s.set(0, 9); },
         -1,
         {}},
        {"scroll drops the oldest",
         {1, 2, 3},
         [](SampleSeries& s) {
             s.scrollIn(4);
             return 0;
         },
         0,
         {2, 3, 4}},
        {"scroll on an empty series does nothing",
         {},
         [](SampleSeries& s) {
             s.scrollIn(4);
             return 0;
         },
         0,
         {}},
        {"sub-range inside",
         {1, 2, 3, 4},
         [](SampleSeries& s) {
             s = s.subRange(1, 2);
             return 0;
         },
         0,
         {2, 3}},
        {"sub-range cut at the end",
         {1, 2, 3, 4},
         [](SampleSeries& s) {
             s = s.subRange(2, 10);
             return 0;
         },
         0,
         {3, 4}},
        {"sub-range beyond the end is empty",
         {1, 2},
         [](SampleSeries& s) {
             s = s.subRange(5, 1);
             return 0;
         },
         0,
         {}},
    };
    for (const Case& k : cases) {
        SampleSeries s = k.start;
        EXPECT_EQ(k.operation(s), k.result) << k.what;
        EXPECT_EQ(s, k.expected) << k.what;
    }
}

TEST(GraphSeries, GetBeyondTheEndGivesTheLastValue) {
    const SampleSeries s{4, 5, 6};
    EXPECT_EQ(s.get(0), 4);
    EXPECT_EQ(s.get(2), 6);
    EXPECT_EQ(s.get(3), 6);
    EXPECT_EQ(s.get(1000), 6);
    EXPECT_EQ(SampleSeries().get(0), 0.0);
}

TEST(GraphSeries, ExtremesAndMeanSkipValuesThatCannotBePlotted) {
    struct Case {
        SampleSeries values;
        std::size_t count;
        double mean, minimum, maximum;
    };
    const Case cases[] = {
        {{-3, 5, 1}, 3, 1.0, -3, 5},
        {{M, 0.123, 0.123, M, 0.123}, 3, 0.123, 0.123, 0.123},
        {{kNaN, 2, kInf, -kInf, 4}, 2, 3.0, 2, 4},
        {{M, M}, 0, 0.0, kNoMinimum, kNoMaximum},
        {{}, 0, 0.0, kNoMinimum, kNoMaximum},
    };
    for (const Case& k : cases) {
        const SeriesStats s = seriesStats(k.values);
        EXPECT_EQ(s.count, k.count);
        EXPECT_DOUBLE_EQ(s.mean, k.mean);
        EXPECT_EQ(s.minimum, k.minimum);
        EXPECT_EQ(s.maximum, k.maximum);
        EXPECT_EQ(k.values.minimum(), k.minimum);
        EXPECT_EQ(k.values.maximum(), k.maximum);
    }
}

TEST(GraphThinning, TakesTheLargestValueOfEachWindow) {
    struct Case {
        const char* what;
        SampleSeries in;
        std::size_t width;
        SampleSeries expected;
    };
    const Case cases[] = {
        // step 2, windows of 3 starting at 0, 2, 4, 6 and (clamped) 7.
        {"the last window ends on the newest value",
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         5,
         {2, 4, 6, 8, 9}},
        {"descending values", {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, 5, {9, 7, 5, 3, 2}},
        // step 2 gives windows of 3 values, longer than the two-value series allows.
        {"window longer than the series", {3, 8}, 1, {8}},
        {"step 1.5", {1, 5, 2}, 2, {5, 5}},
        {"missing values lose to any value", {M, M, M, M, 1, 2}, 3, {M, 1, 2}},
        {"not-a-number never wins", {kNaN, 1, kNaN, 2}, 2, {1, 2}},
        {"width equal to the count copies", {1, M, 3}, 3, {1, M, 3}},
        {"width above the count copies", {1, M, 3}, 50, {1, M, 3}},
        {"width zero is empty", {1, 2, 3}, 0, {}},
    };
    for (const Case& k : cases)
        EXPECT_EQ(thinByMaxima(k.in, k.width), k.expected) << k.what;
}

TEST(GraphThinning, ShortPeaksSurviveAnywhere) {
    for (std::size_t peakAt :
         {std::size_t{0}, std::size_t{537}, std::size_t{998}, std::size_t{999}}) {
        SampleSeries s(1000, 0.0);
        s.set(peakAt, 5.0);
        const SampleSeries thin = thinByMaxima(s, 100);
        ASSERT_EQ(thin.count(), 100u);
        EXPECT_EQ(thin.maximum(), 5.0) << "peak at " << peakAt;
        if (peakAt == 999) {
            EXPECT_EQ(thin.get(99), 5.0);
        }
    }
}
