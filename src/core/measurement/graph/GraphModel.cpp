#include "measurement/graph/GraphModel.h"

#include "measurement/graph/AutomaticRange.h"
#include "measurement/graph/PixelMapping.h"
#include "measurement/graph/SeriesThinning.h"

#include <algorithm>

namespace ks {

namespace {

constexpr std::array<Rgb, 5> kFirstColours{{
    {255, 0, 0},
    {0, 0, 255},
    {150, 150, 0},
    {100, 100, 100},
    {150, 0, 150},
}};

const CurveView kNoView{};

} // namespace

GraphModel::GraphModel() {
    for (std::size_t i = 0; i < kFirstColours.size(); ++i)
        m_curves[i].colour = kFirstColours[i];
    update();
}

void GraphModel::place(int left, int top, int right, int bottom, unsigned verticalDivisions,
                       unsigned horizontalDivisions) {
    setPlacement(left, top, right, bottom);
    m_verticalDivisions = verticalDivisions;
    m_horizontalDivisions = horizontalDivisions;
}

void GraphModel::setPlacement(int left, int top, int right, int bottom) {
    m_placement = {left, top, right, bottom};
}

void GraphModel::setLabels(const std::string& top, const std::string& zero,
                           const std::string& bottom, int size) {
    m_topLabel = top;
    m_zeroLabel = zero;
    m_bottomLabel = bottom;
    m_labelSize = std::max(1, size);
}

void GraphModel::setLineWidth(int width) {
    m_lineWidth = std::max(1, width);
}

int GraphModel::setCurve(int index, const SampleSeries& series, double minimum, double maximum,
                         Rgb colour, unsigned style) {
    if (!validIndex(index) || series.empty())
        return -1;
    CurveRecord& c = m_curves[static_cast<std::size_t>(index)];
    c.series = series;
    c.minimum = minimum;
    c.maximum = maximum;
    c.colour = colour;
    c.style = style;
    c.visible = true;
    return 0;
}

int GraphModel::getCurveSeries(int index, SampleSeries& out) const {
    if (!validIndex(index))
        return -1;
    out = m_curves[static_cast<std::size_t>(index)].series;
    return 0;
}

int GraphModel::setCurveRange(int index, double minimum, double maximum) {
    if (!validIndex(index))
        return -1;
    m_curves[static_cast<std::size_t>(index)].minimum = minimum;
    m_curves[static_cast<std::size_t>(index)].maximum = maximum;
    return 0;
}

int GraphModel::setCurveVisible(int index, bool visible) {
    if (!validIndex(index))
        return -1;
    m_curves[static_cast<std::size_t>(index)].visible = visible;
    return 0;
}

const CurveRecord* GraphModel::curve(int index) const {
    return validIndex(index) ? &m_curves[static_cast<std::size_t>(index)] : nullptr;
}

void GraphModel::addPoint(double value) {
    m_curves[0].series.scrollIn(value);
}

void GraphModel::update() {
    const AutomaticRange automatic = findAutomaticRange(m_curves);
    const int width = m_placement.width();
    const int height = m_placement.height();
    for (std::size_t i = 0; i < m_curves.size(); ++i) {
        const CurveRecord& c = m_curves[i];
        CurveView& v = m_views[i];
        v = CurveView{};
        if (c.series.empty()) {
            v.minimum = c.minimum;
            v.maximum = c.maximum;
            continue;
        }
        const ValueRange range = drawingRange(c, automatic);
        v.minimum = range.minimum;
        v.maximum = range.maximum;
        v.thinned = thinByMaxima(c.series, static_cast<std::size_t>(std::max(0, width)));
        if (auto pixels = mapToPixels(v.thinned, v.minimum, v.maximum, height);
            pixels && width > 0) {
            v.pixels = std::move(*pixels);
            v.mapped = true;
        }
    }
}

const CurveView& GraphModel::view(int index) const {
    return validIndex(index) ? m_views[static_cast<std::size_t>(index)] : kNoView;
}

} // namespace ks
