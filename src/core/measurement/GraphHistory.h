#pragma once

#include "link/JBusFrame.h"
#include "measurement/graph/SampleSeries.h"

namespace ks {

// The flow graph's points as the block image a sample keeps them in (the pseudo-block
// 0xFFFFFF, never exchanged with the meter): each point an IEEE double, most significant
// byte first, oldest first.
Bytes graphHistoryImage(const SampleSeries& points);

// The points of an image; a trailing part shorter than a double is ignored.
SampleSeries graphHistoryPoints(const Bytes& image);

} // namespace ks
