#pragma once

#include "measurement/graph/SampleSeries.h"

namespace ks {

// Reduces a series of n values to `width` values by taking the largest value of overlapping
// windows, so a redraw costs the same however long the series and a short peak stays visible.
// With width >= n the series comes back unchanged; width 0 gives an empty series. A window of
// missing values gives a missing value.
SampleSeries thinByMaxima(const SampleSeries& series, std::size_t width);

} // namespace ks
