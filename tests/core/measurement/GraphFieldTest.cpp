#include "measurement/graph/GraphField.h"
#include "measurement/graph/LabelFormat.h"

#include <gtest/gtest.h>

using namespace ks;

namespace {

constexpr double M = kMissingValue;

} // namespace

TEST(GraphField, StartsWithTheDialogDefaults) {
    const GraphField f({200, -0.5, 0.5, "%0.2f", ""});
    const GraphModel& g = f.model();
    EXPECT_EQ(g.background(), (Rgb{170, 170, 230}));
    EXPECT_EQ(g.gridColour(), (Rgb{0, 0, 0}));
    EXPECT_EQ(g.verticalDivisions(), 1u);
    EXPECT_EQ(g.horizontalDivisions(), 10u);
    EXPECT_TRUE(g.zeroLine());
    EXPECT_EQ(g.labelSize(), 8);
    EXPECT_EQ(g.lineWidth(), 1);
    EXPECT_TRUE(g.topLabel().empty());

    const CurveRecord& first = *g.curve(0);
    EXPECT_TRUE(first.visible);
    EXPECT_EQ(first.colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(first.style, CurveStyle::kLine);
    EXPECT_EQ(first.minimum, -0.5);
    EXPECT_EQ(first.maximum, 0.5);
    EXPECT_EQ(first.series, SampleSeries(200, M));

    const Rgb others[] = {{0, 0, 255}, {150, 150, 0}, {100, 100, 100}, {150, 0, 150}};
    for (int i = 1; i < GraphModel::kCurveCount; ++i) {
        const CurveRecord& c = *g.curve(i);
        EXPECT_EQ(c.colour, (i <= 4 ? others[i - 1] : Rgb{0, 0, 0})) << "curve " << i + 1;
        EXPECT_FALSE(c.visible);
        EXPECT_EQ(c.style, 1u);
        EXPECT_EQ(c.minimum, -1.0);
        EXPECT_EQ(c.maximum, 1.0);
        EXPECT_TRUE(c.series.empty());
    }
}

TEST(GraphField, CurveAccessIsRefusedOutsideTheTenCurves) {
    GraphModel g;
    SampleSeries out{42};
    for (int index : {-1, 10, 1000}) {
        EXPECT_EQ(g.setCurve(index, SampleSeries{1}, 0, 1, {}, 1), -1);
        EXPECT_EQ(g.getCurveSeries(index, out), -1);
        EXPECT_EQ(g.curve(index), nullptr);
    }
    EXPECT_EQ(out, SampleSeries{42});
    EXPECT_EQ(g.setCurve(2, SampleSeries{}, 0, 1, {}, 1), -1);
    EXPECT_FALSE(g.curve(2)->visible);

    EXPECT_EQ(g.setCurve(9, SampleSeries{1, 2}, 0, 5, {9, 9, 9}, 2), 0);
    EXPECT_EQ(g.getCurveSeries(9, out), 0);
    EXPECT_EQ(out, (SampleSeries{1, 2}));
    EXPECT_TRUE(g.curve(9)->visible);
    EXPECT_EQ(g.curve(9)->style, 2u);
}

TEST(GraphField, AddPointScrollsAndUpdatesUnlessOptionIsPoint) {
    for (const char* option : {"", "point"}) {
        GraphField f({3, 0, 10, "%0.1f", option});
        f.model().setPlacement(0, 0, 30, 10);
        f.update();
        bool repaint = false;
        for (double v : {1.0, 2.0, 3.0, 4.0})
            repaint = f.addPoint(v);
        EXPECT_EQ(f.points(), (SampleSeries{2, 3, 4})) << option;
        const bool immediate = std::string(option) != "point";
        EXPECT_EQ(repaint, immediate) << option;
        // Without an update the pixels still show the empty window.
        EXPECT_EQ(f.model().view(0).pixels == (SampleSeries{2, 3, 4}), immediate) << option;
        f.update();
        EXPECT_EQ(f.model().view(0).pixels, (SampleSeries{2, 3, 4})) << option;
    }
}

TEST(GraphField, RangeAndUnitMakeTheLabels) {
    GraphField f({200, -1, 1, "%0.1f", "point"});
    f.setRange(-12.34, 56.78);
    EXPECT_EQ(f.model().topLabel(), "56.8 ");
    f.setUnit({"m3/h", "l/s"}, 1);
    EXPECT_EQ(f.model().topLabel(), "56.8 l/s");
    EXPECT_EQ(f.model().bottomLabel(), "-12.3 l/s");
    EXPECT_EQ(f.model().zeroLabel(), "");
    EXPECT_EQ(f.model().labelSize(), 8);
    EXPECT_EQ(f.model().curve(0)->minimum, -12.34);
    f.setRange(0.1, 0.2);
    EXPECT_EQ(f.model().bottomLabel(), "0.1 l/s");
    f.setUnit({"m3/h"}, 3);
    EXPECT_EQ(f.model().topLabel(), "0.2 ");
    f.setUnit({"m3/h"}, -1);
    EXPECT_EQ(f.unit(), "");

    // A format from a damaged table never reaches printf.
    GraphField bad({200, -1, 1, "%s%n", ""});
    bad.setRange(-1.5, 2.25);
    EXPECT_EQ(bad.model().topLabel(), "2.25 ");
}

TEST(GraphField, PointsAreStoredAndRestoredAsAWindow) {
    GraphField f({4, 0, 1, "%0.1f", ""});
    f.setPoints(SampleSeries{1, 2});
    EXPECT_EQ(f.points(), (SampleSeries{M, M, 1, 2}));
    f.setPoints(SampleSeries{1, 2, 3, 4, 5, 6});
    EXPECT_EQ(f.points(), (SampleSeries{3, 4, 5, 6}));
    f.setPoints(SampleSeries{});
    EXPECT_EQ(f.points(), (SampleSeries{M, M, M, M}));
}

TEST(GraphField, MeanAndExtremesOfTheFirstCurve) {
    GraphField f({200, -0.5, 0.5, "%0.2f", "point"});
    for (int i = 0; i < 5; ++i)
        f.addPoint(0.123);
    SeriesStats s = f.curveStats();
    EXPECT_EQ(s.count, 5u);
    EXPECT_DOUBLE_EQ(s.mean, 0.123);
    EXPECT_EQ(s.minimum, 0.123);
    EXPECT_EQ(s.maximum, 0.123);
    // After 200 more points the window holds only those.
    for (int i = 0; i < 200; ++i)
        f.addPoint(i % 2 == 0 ? 1.0 : 3.0);
    s = f.curveStats();
    EXPECT_EQ(s.count, 200u);
    EXPECT_DOUBLE_EQ(s.mean, 2.0);
    EXPECT_EQ(s.minimum, 1.0);
    EXPECT_EQ(s.maximum, 3.0);
}

TEST(LabelFormat, OnlyOneNumberConversionIsAccepted) {
    struct Case {
        const char* format;
        bool accepted;
        const char* printed; // of 1.25
    };
    const Case cases[] = {
        {"%0.1f", true, "1.2"},
        {"%f", true, "1.250000"},
        {"%.2e", true, "1.25e+00"},
        {"%+7.2f", true, "  +1.25"},
        {"Q=%0.2lf %%", true, "Q=1.25 %"},
        {"%g", true, "1.25"},
        {"%s", false, "1.25"},
        {"%n", false, "1.25"},
        {"%d", false, "1.25"},
        {"%0.1f%0.1f", false, "1.25"},
        {"", false, "1.25"},
        {"text", false, "1.25"},
        {"%123f", false, "1.25"},
        {"%.100f", false, "1.25"},
        {"%", false, "1.25"},
        {"%*f", false, "1.25"},
        {"%0.1", false, "1.25"},
        {"%Lf", false, "1.25"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(isNumberFormat(k.format), k.accepted) << k.format;
        EXPECT_EQ(formatNumber(k.format, 1.25), k.printed) << k.format;
    }
    EXPECT_FALSE(isNumberFormat(std::string_view("%f\0%s", 5)));
}
