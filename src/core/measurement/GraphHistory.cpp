#include "measurement/GraphHistory.h"

#include <bit>
#include <cstdint>

namespace ks {

Bytes graphHistoryImage(const SampleSeries& points) {
    Bytes image;
    image.reserve(points.count() * 8);
    for (double v : points.values()) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int shift = 56; shift >= 0; shift -= 8)
            image.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    return image;
}

SampleSeries graphHistoryPoints(const Bytes& image) {
    SampleSeries points(image.size() / 8);
    for (std::size_t i = 0; i < points.count(); ++i) {
        std::uint64_t bits = 0;
        for (std::size_t k = 0; k < 8; ++k)
            bits = bits << 8 | image[8 * i + k];
        points.set(i, std::bit_cast<double>(bits));
    }
    return points;
}

} // namespace ks
