#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace ks {

// Marks a value that was not delivered; it is never drawn and never counts in a mean or an extreme.
inline constexpr double kMissingValue = -1.7e308;
// Where a search for the smallest / largest value starts, and what it gives when nothing counts.
inline constexpr double kNoMinimum = 1.7e308;
inline constexpr double kNoMaximum = -1.7e308;

// A value that can be plotted: not the missing mark and finite. Values decoded from the meter's
// floats may be NaN or infinite; they are treated as missing.
bool isPlottable(double value);

// A count of doubles handed between the graph, its curves and the views that read it. Copying
// a series (assignment) copies its values.
class SampleSeries {
public:
    SampleSeries() = default;
    explicit SampleSeries(std::size_t count, double value = kMissingValue);
    SampleSeries(std::initializer_list<double> values);

    std::size_t count() const { return m_values.size(); }
    bool empty() const { return m_values.empty(); }
    const std::vector<double>& values() const { return m_values; }

    // Keeps the values when the count does not change; otherwise every value becomes missing.
    void resize(std::size_t count);
    void fill(double value);
    // 0, or -1 for an index at or beyond the count (nothing is written).
    int set(std::size_t index, double value);
    // An index beyond the end gives the last value; an empty series gives 0.
    double get(std::size_t index) const;
    // Values first .. first + count - 1, cut at the end of the series.
    SampleSeries subRange(std::size_t first, std::size_t count) const;
    // Over plottable values only: kNoMinimum / kNoMaximum when there is none.
    double minimum() const;
    double maximum() const;
    // Every value moves one place towards the start, the oldest is dropped and the new one is
    // last: a scrolling window of a fixed count. Nothing happens on an empty series.
    void scrollIn(double value);

    bool operator==(const SampleSeries&) const = default;

private:
    std::vector<double> m_values;
};

// Mean and extremes over the plottable values; mean 0 and the ±1.7e308 bounds when count is 0.
struct SeriesStats {
    std::size_t count = 0;
    double mean = 0.0;
    double minimum = kNoMinimum;
    double maximum = kNoMaximum;
};

SeriesStats seriesStats(const SampleSeries& series);

} // namespace ks
