#include "measurement/graph/SeriesThinning.h"

#include <algorithm>

namespace ks {

SampleSeries thinByMaxima(const SampleSeries& series, std::size_t width) {
    const std::size_t n = series.count();
    if (width >= n)
        return series;
    SampleSeries out(width);
    const std::vector<double>& in = series.values();
    const double step = static_cast<double>(n) / static_cast<double>(width);
    // Windows overlap by one value so that no value falls between two of them.
    const std::size_t length = std::min(n, static_cast<std::size_t>(step + 1.0));
    for (std::size_t i = 0; i < width; ++i) {
        std::size_t start = static_cast<std::size_t>(step * static_cast<double>(i));
        // The last windows end on the newest value rather than running past the end.
        start = std::min(start, n - length);
        double largest = kMissingValue;
        for (std::size_t k = start; k < start + length; ++k)
            if (isPlottable(in[k]) && in[k] > largest)
                largest = in[k];
        out.set(i, largest);
    }
    return out;
}

} // namespace ks
