#include "measurement/graph/PixelMapping.h"

#include <cmath>

namespace ks {

bool isDrawableRange(double minimum, double maximum) {
    return std::isfinite(minimum) && std::isfinite(maximum) && minimum < maximum &&
           std::isfinite(maximum - minimum);
}

std::optional<SampleSeries> mapToPixels(const SampleSeries& values, double minimum, double maximum,
                                        int height) {
    if (!isDrawableRange(minimum, maximum) || height <= 0)
        return std::nullopt;
    const double span = maximum - minimum;
    SampleSeries out(values.count());
    for (std::size_t i = 0; i < values.count(); ++i) {
        const double v = values.values()[i];
        if (!isPlottable(v) || v < minimum || v > maximum)
            continue;
        const double y = (v - minimum) * static_cast<double>(height) / span;
        if (std::isfinite(y))
            out.set(i, y);
    }
    return out;
}

} // namespace ks
