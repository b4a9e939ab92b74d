// Feeds arbitrary bytes to the bitmap loader; an accepted picture must be consistent.
#include "app/Dib.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ks::CDib dib;
    if (dib.loadBytes(data, size) != 0) {
        if (!dib.isEmpty() || !dib.pixels().empty())
            __builtin_trap();
        return 0;
    }
    const std::size_t n =
        static_cast<std::size_t>(dib.width()) * static_cast<std::size_t>(dib.height());
    const int bits = dib.bitsPerPixel();
    if (dib.pixels().size() != n * (bits == 24 ? 3 : 1))
        __builtin_trap();
    if (dib.palette().size() != (bits == 24 ? 0u : std::size_t{1} << bits))
        __builtin_trap();
    if (dib.toArgb32().size() != n)
        __builtin_trap();
    return 0;
}
