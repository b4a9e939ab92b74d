#pragma once

#include "measurement/graph/SampleSeries.h"

#include <optional>

namespace ks {

// A range can be drawn when both ends are finite and minimum < maximum.
bool isDrawableRange(double minimum, double maximum);

// Height in pixels above the bottom edge of each value: (v - minimum) * height / (maximum -
// minimum). Missing values and values outside minimum .. maximum become missing. Nothing
// (nullopt) for a range that cannot be drawn or a height <= 0.
std::optional<SampleSeries> mapToPixels(const SampleSeries& values, double minimum, double maximum,
                                        int height);

} // namespace ks
