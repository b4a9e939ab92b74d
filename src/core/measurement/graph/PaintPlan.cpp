#include "measurement/graph/PaintPlan.h"

#include "measurement/graph/GraphModel.h"
#include "measurement/graph/PixelMapping.h"
#include "measurement/graph/SeriesThinning.h"

#include <algorithm>
#include <cmath>

namespace ks {

namespace {

constexpr int kZeroLineWidth = 3;
constexpr int kDotMarkWidth = 3;
constexpr int kCrossMarkWidth = 2;
constexpr int kCrossMarkArm = 3;
constexpr int kLabelLeft = 3;
constexpr int kZeroLabelLeft = 5;

// A value at the bottom of its range would land one row below the area; it is kept on the
// last row so that it stays visible.
int rowFor(double heightAboveBottom, int height) {
    const long y = static_cast<long>(height) - std::lround(heightAboveBottom);
    return static_cast<int>(std::clamp(y, 0L, static_cast<long>(height) - 1));
}

void addGrid(PaintPlan& plan, const GraphModel& model, int scale) {
    const Rgb colour = model.gridColour();
    const long w = plan.width;
    const long h = plan.height;
    for (unsigned i = 1; i < model.verticalDivisions(); ++i) {
        const int x = static_cast<int>(i * w / model.verticalDivisions());
        plan.grid.push_back({{x, 0}, {x, plan.height - 1}, colour, scale, PlanPen::Dotted});
    }
    for (unsigned i = 1; i < model.horizontalDivisions(); ++i) {
        const int y = static_cast<int>(i * h / model.horizontalDivisions());
        plan.grid.push_back({{0, y}, {plan.width - 1, y}, colour, scale, PlanPen::Dotted});
    }
}

void addZeroLine(PaintPlan& plan, const GraphModel& model, const PlanTarget& target, int scale) {
    const CurveView& first = model.view(0);
    if (!model.zeroLine() || !isDrawableRange(first.minimum, first.maximum))
        return;
    const double y0 = first.maximum / (first.maximum - first.minimum) * plan.height;
    if (!(y0 >= 0.0 && y0 <= plan.height))
        return;
    const int y = static_cast<int>(std::clamp(std::lround(y0), 0L, plan.height - 1L));
    plan.zeroLine =
        PlanLine{{0, y}, {plan.width - 1, y}, model.gridColour(), kZeroLineWidth * scale};
    if (!model.zeroLabel().empty())
        plan.texts.push_back({kZeroLabelLeft, y - target.textHeight / 2, model.zeroLabel(),
                              model.gridColour(), model.labelSize()});
}

void addLabels(PaintPlan& plan, const GraphModel& model, const PlanTarget& target) {
    const int th = target.textHeight;
    if (!model.topLabel().empty())
        plan.texts.push_back(
            {kLabelLeft, th / 10, model.topLabel(), model.gridColour(), model.labelSize()});
    if (!model.bottomLabel().empty())
        plan.texts.push_back({kLabelLeft, plan.height - th - th / 10, model.bottomLabel(),
                              model.gridColour(), model.labelSize()});
}

// Pixel heights of curve `index` for the target: those of the last update when the target is
// the model's own area, otherwise the curve thinned and mapped again for the target's size.
std::optional<SampleSeries> pixelsFor(const GraphModel& model, int index, const PaintPlan& plan) {
    const CurveView& view = model.view(index);
    if (!view.mapped)
        return std::nullopt;
    const Placement& area = model.placement();
    if (area.width() == plan.width && area.height() == plan.height)
        return view.pixels;
    const SampleSeries thinned =
        thinByMaxima(model.curve(index)->series, static_cast<std::size_t>(plan.width));
    return mapToPixels(thinned, view.minimum, view.maximum, plan.height);
}

PlanCurve planCurve(const GraphModel& model, int index, const SampleSeries& pixels,
                    const PaintPlan& plan, int scale) {
    const CurveRecord& record = *model.curve(index);
    PlanCurve out;
    out.index = index;
    out.colour = record.colour;
    out.lineWidth = model.lineWidth() * scale;
    const double spacing =
        std::max(1.0, static_cast<double>(plan.width) / static_cast<double>(pixels.count()));
    std::vector<PlanPoint> run;
    auto closeRun = [&] {
        // A lone point between two gaps has nothing to be joined to.
        if (run.size() >= 2)
            out.polylines.push_back(std::move(run));
        run.clear();
    };
    for (std::size_t i = 0; i < pixels.count(); ++i) {
        const double p = pixels.values()[i];
        if (!isPlottable(p)) {
            closeRun();
            continue;
        }
        const PlanPoint at{static_cast<int>(std::lround(static_cast<double>(i) * spacing)),
                           rowFor(p, plan.height)};
        run.push_back(at);
        if (record.style & CurveStyle::kDotMarks)
            out.marks.push_back({at, MarkShape::Dot, kDotMarkWidth * scale, 0});
        if (record.style & CurveStyle::kCrossMarks)
            out.marks.push_back(
                {at, MarkShape::Cross, kCrossMarkWidth * scale, kCrossMarkArm * scale});
    }
    closeRun();
    if (!(record.style & CurveStyle::kLine))
        out.polylines.clear();
    return out;
}

} // namespace

PaintPlan buildPaintPlan(const GraphModel& model, const PlanTarget& target) {
    PaintPlan plan;
    if (target.width <= 0 || target.height <= 0)
        return plan;
    const int scale = target.printing ? 2 : 1;
    plan.width = target.width;
    plan.height = target.height;
    plan.background = model.background();
    addGrid(plan, model, scale);
    plan.frameColour = model.gridColour();
    plan.frameWidth = scale;
    addZeroLine(plan, model, target, scale);
    addLabels(plan, model, target);
    for (int i = 0; i < GraphModel::kCurveCount; ++i) {
        if (!model.curve(i)->visible)
            continue;
        const auto pixels = pixelsFor(model, i, plan);
        if (!pixels || pixels->empty())
            continue;
        plan.curves.push_back(planCurve(model, i, *pixels, plan, scale));
    }
    return plan;
}

} // namespace ks
