// Feeds arbitrary bytes to the block coding as a meter block holding every value type, and
// writes the values back: nothing may be read or written outside the block.
#include "framework/BlockCodec.h"
#include "framework/BlockLayout.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<ks::BlockField> kFields = [] {
        std::vector<ks::BlockField> f;
        const int types[] = {0x0100, 0x0200, 0x0300, 0x0400, 0x0600, 0x0700, 0x0800,
                             0x0F00, 0x1000, 0x2000, 0x3000, 0x4000, 0x5000, 0x6000,
                             0x7000, 0x8000, 0x90A5, 0xA000, 0xB000, 0xC000, 0xD000};
        int offset = 0;
        for (int t : types) {
            f.push_back({0x0002, t, offset, 0x10, "%0.2f", -1e6, 1e6});
            offset += 3; // overlapping values, as bits and nibbles of one byte are
        }
        f.push_back({0x0002, 0x0500, 5, 0x10, "%s", 0, 20});
        return f;
    }();
    const ks::Bytes block(data, data + size);
    std::vector<ks::DecodedField> decoded;
    if (ks::decodeBlock(kFields, 0x10, block, decoded, {}) != 0) {
        if (!decoded.empty())
            __builtin_trap();
        return 0;
    }
    std::vector<ks::FieldValue> values(kFields.size());
    for (const ks::DecodedField& d : decoded)
        values[d.field] = d.value;
    const ks::Bytes written = ks::encodeBlock(kFields, 0x10, values);
    if (written.size() != static_cast<std::size_t>(ks::blockSize(kFields, 0x10)))
        __builtin_trap();
    return 0;
}
