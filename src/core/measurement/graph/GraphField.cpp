#include "measurement/graph/GraphField.h"

#include "measurement/graph/LabelFormat.h"

#include <algorithm>

namespace ks {

GraphField::GraphField(const GraphFieldSettings& settings) : m_settings(settings) {
    if (!isNumberFormat(m_settings.format))
        m_settings.format = "%g";
    m_model.setBackground(GraphModel::kDefaultBackground);
    m_model.setGridColour({0, 0, 0});
    m_model.place(0, 0, 0, 0, 1, 10);
    m_model.setZeroLine(true);
    m_model.setCurve(0, SampleSeries(m_settings.points), m_settings.minimum, m_settings.maximum,
                     kCurveColour, CurveStyle::kLine);
    m_model.update();
}

bool GraphField::addPoint(double value) {
    m_model.addPoint(value);
    if (m_settings.option == "point")
        return false;
    m_model.update();
    return true;
}

void GraphField::setRange(double minimum, double maximum) {
    m_model.setCurveRange(0, minimum, maximum);
    refreshLabels();
}

void GraphField::setUnit(const std::vector<std::string>& list, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < list.size())
        setUnit(list[static_cast<std::size_t>(index)]);
    else
        setUnit(std::string());
}

void GraphField::setUnit(const std::string& unit) {
    m_unit = unit;
    refreshLabels();
}

void GraphField::refreshLabels() {
    const CurveRecord& c = *m_model.curve(0);
    m_model.setLabels(formatNumber(m_settings.format, c.maximum) + " " + m_unit, std::string(),
                      formatNumber(m_settings.format, c.minimum) + " " + m_unit,
                      GraphModel::kDefaultLabelSize);
}

SampleSeries GraphField::points() const {
    return m_model.curve(0)->series;
}

void GraphField::setPoints(const SampleSeries& values) {
    SampleSeries window(m_settings.points);
    const std::size_t n = std::min(values.count(), window.count());
    const std::size_t skip = values.count() - n;
    const std::size_t offset = window.count() - n;
    for (std::size_t i = 0; i < n; ++i)
        window.set(offset + i, values.values()[skip + i]);
    const CurveRecord& c = *m_model.curve(0);
    if (window.empty())
        return;
    m_model.setCurve(0, window, c.minimum, c.maximum, c.colour, c.style);
}

SeriesStats GraphField::curveStats() const {
    return seriesStats(m_model.curve(0)->series);
}

} // namespace ks
