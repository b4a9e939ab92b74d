#include "measurement/graph/GraphModel.h"
#include "measurement/graph/PaintPlan.h"

#include <gtest/gtest.h>

using namespace ks;

namespace {

constexpr double M = kMissingValue;
constexpr Rgb kBlack{0, 0, 0};

// A 400 x 200 graph with curve 1 over 0 .. 10.
struct GraphPlan : ::testing::Test {
    GraphPlan() { g.place(0, 0, 400, 200, 4, 10); }

    PaintPlan plan(const SampleSeries& values, unsigned style = CurveStyle::kLine,
                   bool printing = false) {
        g.setCurve(0, values, 0, 10, {255, 0, 0}, style);
        g.update();
        return buildPaintPlan(g, {400, 200, 20, printing});
    }

    GraphModel g;
};

} // namespace

TEST_F(GraphPlan, GridFrameAndBackground) {
    const PaintPlan p = plan({1, 2});
    EXPECT_EQ(p.background, (Rgb{170, 170, 230}));
    ASSERT_EQ(p.grid.size(), 3u + 9u);
    for (int i = 0; i < 3; ++i) {
        const PlanLine& l = p.grid[static_cast<std::size_t>(i)];
        EXPECT_EQ(l.from, (PlanPoint{100 * (i + 1), 0}));
        EXPECT_EQ(l.to, (PlanPoint{100 * (i + 1), 199}));
        EXPECT_EQ(l.pen, PlanPen::Dotted);
        EXPECT_EQ(l.colour, kBlack);
    }
    for (int i = 0; i < 9; ++i) {
        const PlanLine& l = p.grid[static_cast<std::size_t>(3 + i)];
        EXPECT_EQ(l.from, (PlanPoint{0, 20 * (i + 1)}));
        EXPECT_EQ(l.to, (PlanPoint{399, 20 * (i + 1)}));
    }
    EXPECT_EQ(p.frameColour, kBlack);
    EXPECT_EQ(p.frameWidth, 1);

    g.place(0, 0, 400, 200, 0, 1);
    EXPECT_TRUE(buildPaintPlan(g, {400, 200, 20, false}).grid.empty());
    EXPECT_TRUE(buildPaintPlan(g, {0, 200, 20, false}).empty());
}

TEST_F(GraphPlan, ZeroLineFollowsTheFirstCurvesRange) {
    struct Case {
        double minimum, maximum;
        bool on;
        int row; // -1: no line
    };
    const Case cases[] = {
        {-1, 3, true, 150}, {-5, 5, true, 100}, {0, 10, true, 199}, // at the bottom edge
        {-10, 0, true, 0},  {1, 3, true, -1},   {-3, -1, true, -1},
        {-1, 3, false, -1}, {2, 2, true, -1}, // a refused range has no zero
    };
    for (const Case& k : cases) {
        g.setCurve(0, SampleSeries{1}, k.minimum, k.maximum, {}, 1);
        g.setZeroLine(k.on);
        g.update();
        const PaintPlan p = buildPaintPlan(g, {400, 200, 20, false});
        if (k.row < 0) {
            EXPECT_FALSE(p.zeroLine) << k.minimum << " .. " << k.maximum;
            continue;
        }
        ASSERT_TRUE(p.zeroLine) << k.minimum << " .. " << k.maximum;
        EXPECT_EQ(p.zeroLine->from, (PlanPoint{0, k.row}));
        EXPECT_EQ(p.zeroLine->to, (PlanPoint{399, k.row}));
        EXPECT_EQ(p.zeroLine->width, 3);
        EXPECT_EQ(p.zeroLine->colour, kBlack);
    }
}

TEST_F(GraphPlan, LabelsSitAtTheirEdgesAndTheZeroLine) {
    g.setLabels("top", "zero", "bottom", 8);
    g.setCurve(0, SampleSeries{1}, -1, 3, {}, 1);
    g.update();
    const PaintPlan p = buildPaintPlan(g, {400, 200, 20, false});
    ASSERT_EQ(p.texts.size(), 3u);
    EXPECT_EQ(p.texts[0].text, "zero");
    EXPECT_EQ((PlanPoint{p.texts[0].x, p.texts[0].y}), (PlanPoint{5, 150 - 10}));
    EXPECT_EQ(p.texts[1].text, "top");
    EXPECT_EQ((PlanPoint{p.texts[1].x, p.texts[1].y}), (PlanPoint{3, 2}));
    EXPECT_EQ(p.texts[2].text, "bottom");
    EXPECT_EQ((PlanPoint{p.texts[2].x, p.texts[2].y}), (PlanPoint{3, 200 - 20 - 2}));
    for (const PlanText& t : p.texts) {
        EXPECT_EQ(t.pointSize, 8);
        EXPECT_EQ(t.colour, kBlack);
    }
    g.setLabels("", "", "", 8);
    EXPECT_TRUE(buildPaintPlan(g, {400, 200, 20, false}).texts.empty());
}

TEST_F(GraphPlan, LineBreaksAtMissingValuesAndDropsLonePoints) {
    // Eight values over 400 pixels: 50 pixels apart.
    const PaintPlan p = plan({1, 2, M, 3, M, 4, 5, 6});
    ASSERT_EQ(p.curves.size(), 1u);
    const PlanCurve& c = p.curves[0];
    EXPECT_EQ(c.colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(c.lineWidth, 1);
    EXPECT_TRUE(c.marks.empty());
    ASSERT_EQ(c.polylines.size(), 2u);
    EXPECT_EQ(c.polylines[0], (std::vector<PlanPoint>{{0, 180}, {50, 160}}));
    EXPECT_EQ(c.polylines[1], (std::vector<PlanPoint>{{250, 120}, {300, 100}, {350, 80}}));
}

TEST_F(GraphPlan, PointsAreSpacedOverTheWidth) {
    struct Case {
        SampleSeries values;
        std::vector<PlanPoint> expected;
    };
    const Case cases[] = {
        {{0, 10, 5, 2.5}, {{0, 199}, {100, 0}, {200, 100}, {300, 150}}},
        {{10, 10, 10.5, 10}, {{0, 0}, {100, 0}}}, // above the top: the line stops
    };
    for (const Case& k : cases) {
        const PaintPlan p = plan(k.values);
        ASSERT_EQ(p.curves.size(), 1u);
        std::vector<PlanPoint> all;
        for (const auto& line : p.curves[0].polylines)
            all.insert(all.end(), line.begin(), line.end());
        EXPECT_EQ(all, k.expected);
    }

    // 800 values thinned to the 400 pixels: one point per pixel.
    SampleSeries many(800, 5.0);
    const PaintPlan p = plan(many);
    ASSERT_EQ(p.curves[0].polylines.size(), 1u);
    const auto& line = p.curves[0].polylines[0];
    ASSERT_EQ(line.size(), 400u);
    EXPECT_EQ(line.back(), (PlanPoint{399, 100}));

    // 200 values over 300 pixels: 1.5 pixels apart.
    g.place(0, 0, 300, 200, 1, 10);
    g.setCurve(0, SampleSeries(200, 5.0), 0, 10, {}, 1);
    g.update();
    const auto spaced = buildPaintPlan(g, {300, 200, 20, false}).curves[0].polylines[0];
    EXPECT_EQ(spaced[2].x, 3);
    EXPECT_EQ(spaced.back().x, 299);
}

TEST_F(GraphPlan, MarkStylesAndPrintingWidths) {
    const PaintPlan screen =
        plan({1, M, 3}, CurveStyle::kDotMarks | CurveStyle::kCrossMarks, false);
    ASSERT_EQ(screen.curves.size(), 1u);
    EXPECT_TRUE(screen.curves[0].polylines.empty());
    ASSERT_EQ(screen.curves[0].marks.size(), 4u);
    EXPECT_EQ(screen.curves[0].marks[0].shape, MarkShape::Dot);
    EXPECT_EQ(screen.curves[0].marks[0].width, 3);
    EXPECT_EQ(screen.curves[0].marks[1].shape, MarkShape::Cross);
    EXPECT_EQ(screen.curves[0].marks[1].width, 2);
    EXPECT_EQ(screen.curves[0].marks[2].at, (PlanPoint{267, 140}));

    const PaintPlan printed = plan({1, 2}, CurveStyle::kLine | CurveStyle::kDotMarks, true);
    EXPECT_EQ(printed.frameWidth, 2);
    EXPECT_EQ(printed.grid[0].width, 2);
    ASSERT_TRUE(printed.zeroLine);
    EXPECT_EQ(printed.zeroLine->width, 6);
    EXPECT_EQ(printed.curves[0].lineWidth, 2);
    EXPECT_EQ(printed.curves[0].marks[0].width, 6);
}

TEST_F(GraphPlan, HiddenCurvesAreSkippedAndOthersKeepTheirOrder) {
    g.setCurve(3, SampleSeries{1, 2}, 0, 10, {1, 2, 3}, 1);
    g.setCurve(1, SampleSeries{1, 2}, 0, 10, {4, 5, 6}, 1);
    g.setCurveVisible(1, false);
    const PaintPlan p = plan({1, 2});
    ASSERT_EQ(p.curves.size(), 2u);
    EXPECT_EQ(p.curves[0].index, 0);
    EXPECT_EQ(p.curves[1].index, 3);
    EXPECT_EQ(p.curves[1].colour, (Rgb{1, 2, 3}));
}

TEST_F(GraphPlan, AnotherTargetSizeIsMappedForItself) {
    plan({0, 10, 5, 2.5});
    // A page twice the size, as when printing.
    const PaintPlan page = buildPaintPlan(g, {800, 400, 40, true});
    ASSERT_EQ(page.curves.size(), 1u);
    EXPECT_EQ(page.curves[0].polylines[0],
              (std::vector<PlanPoint>{{0, 399}, {200, 0}, {400, 200}, {600, 300}}));
    ASSERT_TRUE(page.zeroLine);
    EXPECT_EQ(page.zeroLine->from.y, 399);
    // A page narrower than the screen thins the curve again.
    plan(SampleSeries(400, 5.0));
    const PaintPlan narrow = buildPaintPlan(g, {100, 50, 10, true});
    EXPECT_EQ(narrow.curves[0].polylines[0].size(), 100u);
}
