#pragma once

#include "measurement/graph/GraphTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace ks {

class GraphModel;

// Drawing primitives of one graph in pixels of the target area, (0, 0) at its top-left corner.
// The painter draws them in member order; the plan lets the geometry be checked without a
// display.

struct PlanPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PlanPoint&) const = default;
};

enum class PlanPen { Solid, Dotted };

struct PlanLine {
    PlanPoint from;
    PlanPoint to;
    Rgb colour;
    int width = 1;
    PlanPen pen = PlanPen::Solid;
};

// Text whose box has its top-left corner at (x, y).
struct PlanText {
    int x = 0;
    int y = 0;
    std::string text;
    Rgb colour;
    int pointSize = 8;
};

enum class MarkShape { Dot, Cross };

// A dot is a square point as wide as the pen; a cross has arms of `arm` pixels each way.
struct PlanMark {
    PlanPoint at;
    MarkShape shape = MarkShape::Dot;
    int width = 1;
    int arm = 0;
};

struct PlanCurve {
    int index = 0;
    Rgb colour;
    int lineWidth = 1;
    std::vector<std::vector<PlanPoint>> polylines;
    std::vector<PlanMark> marks;
};

struct PaintPlan {
    int width = 0;
    int height = 0;
    Rgb background;
    std::vector<PlanLine> grid;
    // Outline through the outermost pixels of the area.
    Rgb frameColour;
    int frameWidth = 1;
    std::optional<PlanLine> zeroLine;
    std::vector<PlanText> texts;
    std::vector<PlanCurve> curves;

    bool empty() const { return width <= 0 || height <= 0; }
};

// The area a plan is made for. textHeight is the height of a label line in the target's font;
// printing doubles every pen width.
struct PlanTarget {
    int width = 0;
    int height = 0;
    int textHeight = 0;
    bool printing = false;
};

// Nothing to draw (an empty plan) when the target has no area. A target of another size than
// the model's placement (a printed page) re-maps the updated values to its height.
PaintPlan buildPaintPlan(const GraphModel& model, const PlanTarget& target);

} // namespace ks
