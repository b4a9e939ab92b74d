#include "measurement/graph/SampleSeries.h"

#include <algorithm>
#include <cmath>

namespace ks {

bool isPlottable(double value) {
    return value != kMissingValue && std::isfinite(value);
}

SampleSeries::SampleSeries(std::size_t count, double value) : m_values(count, value) {}

SampleSeries::SampleSeries(std::initializer_list<double> values) : m_values(values) {}

void SampleSeries::resize(std::size_t count) {
    if (count == m_values.size())
        return;
    m_values.assign(count, kMissingValue);
}

void SampleSeries::fill(double value) {
    std::fill(m_values.begin(), m_values.end(), value);
}

int SampleSeries::set(std::size_t index, double value) {
    if (index >= m_values.size())
        return -1;
    m_values[index] = value;
    return 0;
}

double SampleSeries::get(std::size_t index) const {
    if (m_values.empty())
        return 0.0;
    return m_values[std::min(index, m_values.size() - 1)];
}

SampleSeries SampleSeries::subRange(std::size_t first, std::size_t count) const {
    SampleSeries out;
    if (first >= m_values.size())
        return out;
    const std::size_t n = std::min(count, m_values.size() - first);
    out.m_values.assign(m_values.begin() + static_cast<std::ptrdiff_t>(first),
                        m_values.begin() + static_cast<std::ptrdiff_t>(first + n));
    return out;
}

double SampleSeries::minimum() const {
    double m = kNoMinimum;
    for (double v : m_values)
        if (isPlottable(v) && v < m)
            m = v;
    return m;
}

double SampleSeries::maximum() const {
    double m = kNoMaximum;
    for (double v : m_values)
        if (isPlottable(v) && v > m)
            m = v;
    return m;
}

void SampleSeries::scrollIn(double value) {
    if (m_values.empty())
        return;
    std::shift_left(m_values.begin(), m_values.end(), 1);
    m_values.back() = value;
}

SeriesStats seriesStats(const SampleSeries& series) {
    SeriesStats s;
    double sum = 0.0;
    for (double v : series.values()) {
        if (!isPlottable(v))
            continue;
        ++s.count;
        sum += v;
        s.minimum = std::min(s.minimum, v);
        s.maximum = std::max(s.maximum, v);
    }
    if (s.count > 0)
        s.mean = sum / static_cast<double>(s.count);
    return s;
}

} // namespace ks
