#include "measurement/MeasureBlocks.h"

#include "framework/ValueType.h"

#include <algorithm>
#include <climits>

namespace ks {

ReadRange readRange(const CFieldList& fields, int blockCode) {
    int lowest = INT_MAX;
    int end = 0;
    for (const CField& f : fields) {
        if (!f.isInBlock(blockCode))
            continue;
        lowest = std::min(lowest, f.offset());
        end = std::max(end, f.offset() + valueWidth(f.type(), f.maximum()));
    }
    if (lowest == INT_MAX)
        return {0, blockCode, 0};
    // C++ division truncates toward zero, so a lowest offset of 0 gives the first word 0.
    const int first = (lowest - 1) / 2;
    return {first, blockCode + first, (end + 1) / 2 - first};
}

} // namespace ks
