#pragma once

#include "measurement/graph/GraphTypes.h"

#include <array>
#include <string>

namespace ks {

// The state of one graph window: up to ten curves scaled into a drawing area, a grid, a frame,
// an optional zero line and three labels. update() derives what is drawn (ranges, thinning,
// pixel heights); buildPaintPlan() turns it into drawing primitives.
class GraphModel {
public:
    static constexpr int kCurveCount = 10;
    static constexpr Rgb kDefaultBackground{170, 170, 230};
    static constexpr int kDefaultLabelSize = 8;

    GraphModel();

    // Drawing area in the parent and the grid's columns (vertical) and rows (horizontal).
    void place(int left, int top, int right, int bottom, unsigned verticalDivisions,
               unsigned horizontalDivisions);
    // Moves or resizes the area, keeping the divisions.
    void setPlacement(int left, int top, int right, int bottom);
    const Placement& placement() const { return m_placement; }
    unsigned verticalDivisions() const { return m_verticalDivisions; }
    unsigned horizontalDivisions() const { return m_horizontalDivisions; }

    void setLabels(const std::string& top, const std::string& zero, const std::string& bottom,
                   int size);
    const std::string& topLabel() const { return m_topLabel; }
    const std::string& zeroLabel() const { return m_zeroLabel; }
    const std::string& bottomLabel() const { return m_bottomLabel; }
    int labelSize() const { return m_labelSize; }

    void setBackground(Rgb colour) { m_background = colour; }
    Rgb background() const { return m_background; }
    void setGridColour(Rgb colour) { m_gridColour = colour; }
    Rgb gridColour() const { return m_gridColour; }
    void setZeroLine(bool on) { m_zeroLine = on; }
    bool zeroLine() const { return m_zeroLine; }
    // Pen width of the curves, at least 1.
    void setLineWidth(int width);
    int lineWidth() const { return m_lineWidth; }

    // Gives curve `index` its values, fixed range, colour and style, and shows it. -1 for an
    // index outside 0..9 or an empty series.
    int setCurve(int index, const SampleSeries& series, double minimum, double maximum, Rgb colour,
                 unsigned style);
    // -1 outside 0..9.
    int getCurveSeries(int index, SampleSeries& out) const;
    int setCurveRange(int index, double minimum, double maximum);
    int setCurveVisible(int index, bool visible);
    // Curve `index` (0..9); nullptr outside.
    const CurveRecord* curve(int index) const;

    // Scrolls the new value into curve 1, dropping its oldest value.
    void addPoint(double value);

    // Recomputes the drawing ranges, thins each curve to the width and maps it to pixels.
    void update();
    // What the last update derived for curve `index` (0..9); an empty view outside.
    const CurveView& view(int index) const;

private:
    bool validIndex(int index) const { return index >= 0 && index < kCurveCount; }

    std::array<CurveRecord, kCurveCount> m_curves;
    std::array<CurveView, kCurveCount> m_views;
    Placement m_placement;
    unsigned m_verticalDivisions = 1;
    unsigned m_horizontalDivisions = 10;
    Rgb m_background = kDefaultBackground;
    Rgb m_gridColour{0, 0, 0};
    bool m_zeroLine = true;
    std::string m_topLabel;
    std::string m_zeroLabel;
    std::string m_bottomLabel;
    int m_labelSize = kDefaultLabelSize;
    int m_lineWidth = 1;
};

} // namespace ks
