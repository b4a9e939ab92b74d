#include "framework/BlockCodec.h"

#include "framework/BlockLayout.h"
#include "framework/ValueCodec.h"

namespace ks {

namespace {
ValueCoding codingOf(const BlockField& f) {
    return {f.type, f.format, f.minimum, f.maximum};
}
} // namespace

int decodeBlock(std::span<const BlockField> fields, int blockCode, const Bytes& bytes,
                std::vector<DecodedField>& out, const RegionalSettings& regional) {
    out.clear();
    if (bytes.size() < static_cast<std::size_t>(blockSize(fields, blockCode)))
        return -1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!takesPart(fields[i], blockCode))
            continue;
        if (auto v = decodeValue(codingOf(fields[i]), bytes, fields[i].offset, regional))
            out.push_back({i, std::move(*v)});
    }
    return 0;
}

Bytes encodeBlock(std::span<const BlockField> fields, int blockCode,
                  std::span<const FieldValue> values) {
    Bytes block(static_cast<std::size_t>(blockSize(fields, blockCode)), 0);
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i)
        if (takesPart(fields[i], blockCode))
            encodeValue(codingOf(fields[i]), values[i], block, fields[i].offset);
    return block;
}

} // namespace ks
