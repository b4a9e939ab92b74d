#include "measurement/graph/AutomaticRange.h"

#include <cmath>

namespace ks {

AutomaticRange findAutomaticRange(std::span<const CurveRecord> curves) {
    AutomaticRange a;
    for (const CurveRecord& c : curves) {
        if ((c.style & CurveStyle::kAnyAuto) == 0)
            continue;
        const double m = c.series.minimum();
        const double M = c.series.maximum();
        if (m > M)
            continue; // nothing plottable
        if (std::fabs(m) > a.limit)
            a.limit = std::fabs(m);
        if (M > a.limit)
            a.limit = M;
        a.lastMinimum = m;
        a.lastMaximum = M;
    }
    return a;
}

ValueRange drawingRange(const CurveRecord& curve, const AutomaticRange& automatic) {
    if (curve.style & CurveStyle::kSymmetricAuto)
        return {-automatic.limit, automatic.limit};
    if (curve.style & CurveStyle::kPositiveAuto)
        return {0.0, automatic.limit};
    if (curve.style & CurveStyle::kSpanAuto)
        return {automatic.lastMinimum, automatic.lastMaximum};
    return {curve.minimum, curve.maximum};
}

} // namespace ks
