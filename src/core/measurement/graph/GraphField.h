#pragma once

#include "measurement/graph/GraphModel.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ks {

// What a graph field of a dialog's field list gives its graph.
struct GraphFieldSettings {
    std::size_t points = 200;
    double minimum = -1.0;
    double maximum = 1.0;
    // Format of the range labels, e.g. "%0.1f"; anything that is not one number conversion is
    // replaced by "%g".
    std::string format = "%0.1f";
    // "point": adding a point leaves the redraw to the owner.
    std::string option;
};

// A graph as a dialog shows it: curve 1 is a scrolling window of the field's points, its range
// and unit make the top and bottom labels.
class GraphField {
public:
    static constexpr Rgb kCurveColour{255, 0, 0};

    explicit GraphField(const GraphFieldSettings& settings = {});

    GraphModel& model() { return m_model; }
    const GraphModel& model() const { return m_model; }
    const GraphFieldSettings& settings() const { return m_settings; }

    // Scrolls the value into curve 1. Unless the option is "point" the graph updates at once;
    // true then tells the window to repaint.
    bool addPoint(double value);
    // Curve 1's range; the labels show it in the field's format with the unit.
    void setRange(double minimum, double maximum);
    // The unit is entry `index` of the list (empty when there is no such entry).
    void setUnit(const std::vector<std::string>& list, int index);
    void setUnit(const std::string& unit);
    const std::string& unit() const { return m_unit; }
    // Recomputes ranges and pixels (the window repaints after it).
    void update() { m_model.update(); }

    // Curve 1's values, oldest first.
    SampleSeries points() const;
    // Replaces curve 1's values, keeping the field's point count: the newest values are kept
    // and a shorter series is preceded by missing values.
    void setPoints(const SampleSeries& values);
    // Mean and extremes of curve 1's plottable values.
    SeriesStats curveStats() const;

private:
    void refreshLabels();

    GraphFieldSettings m_settings;
    GraphModel m_model;
    std::string m_unit;
};

} // namespace ks
