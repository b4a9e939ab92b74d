#pragma once

#include "measurement/graph/GraphTypes.h"

#include <span>

namespace ks {

// What the automatically ranged curves have in common: A, the largest of their maxima and of
// the magnitudes of their minima, and the extremes of the last of them. Curves without a
// plottable value take no part, so an all-missing curve never widens the range.
struct AutomaticRange {
    double limit = kNoMaximum;
    double lastMinimum = kNoMinimum;
    double lastMaximum = kNoMaximum;
};

AutomaticRange findAutomaticRange(std::span<const CurveRecord> curves);

struct ValueRange {
    double minimum = -1.0;
    double maximum = 1.0;
};

// The range a curve is drawn with: -A .. A, 0 .. A or the last automatic extremes by its style
// (checked in that order), otherwise its own fixed range.
ValueRange drawingRange(const CurveRecord& curve, const AutomaticRange& automatic);

} // namespace ks
