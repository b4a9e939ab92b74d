#include "framework/BlockLayout.h"

#include "framework/ValueType.h"

#include <algorithm>

namespace ks {

int blockSize(std::span<const BlockField> fields, int blockCode) {
    int size = 0;
    for (const BlockField& f : fields)
        if (takesPart(f, blockCode))
            size = std::max(size, f.offset + valueWidth(f.type, f.maximum));
    return size;
}

int registerCount(std::span<const BlockField> fields, int blockCode) {
    return (blockSize(fields, blockCode) + 1) / 2;
}

int firstWord(std::span<const BlockField> fields, int blockCode) {
    int smallest = -1;
    for (const BlockField& f : fields)
        if (takesPart(f, blockCode) && (smallest < 0 || f.offset < smallest))
            smallest = f.offset;
    return smallest <= 1 ? 0 : (smallest - 1) / 2;
}

int firstAddress(std::span<const BlockField> fields, int blockCode) {
    return blockCode + firstWord(fields, blockCode);
}

} // namespace ks
