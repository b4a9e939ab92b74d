#include "app/Dib.h"

#include "app/FileAccess.h"

#include <algorithm>

namespace ks {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40; // older core headers are not accepted
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::int32_t i32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(u32(p));
}

} // namespace

void CDib::clear() {
    m_width = m_height = m_bitsPerPixel = 0;
    m_palette.clear();
    m_pixels.clear();
}

int CDib::loadBytes(const std::uint8_t* data, std::size_t size) {
    clear();
    if (data == nullptr || size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' ||
        data[1] != 'M')
        return -1;
    const std::uint64_t pixelOffset = u32(data + 10);
    const std::uint64_t headerSize = u32(data + 14);
    if (headerSize < kInfoHeaderSize || kFileHeaderSize + headerSize > size)
        return -1;
    const std::int32_t width = i32(data + 18);
    const std::int32_t rawHeight = i32(data + 22);
    const int bits = u16(data + 28);
    const std::uint32_t compression = u32(data + 30);
    const std::uint32_t coloursUsed = u32(data + 46);
    if (compression != kUncompressed || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return -1;
    if (width <= 0 || width > kMaxSide || rawHeight == 0 || rawHeight < -kMaxSide ||
        rawHeight > kMaxSide)
        return -1;
    const bool bottomUp = rawHeight > 0;
    const std::int32_t height = bottomUp ? rawHeight : -rawHeight;
    if (static_cast<std::int64_t>(width) * height > kMaxPixels)
        return -1;

    // The colour table follows the header and must end before the pixels start.
    const std::uint64_t tableOffset = kFileHeaderSize + headerSize;
    std::uint64_t tableEntries = 0;
    if (bits <= 8) {
        const std::uint32_t maxEntries = 1u << bits;
        if (coloursUsed > maxEntries)
            return -1;
        tableEntries = coloursUsed == 0 ? maxEntries : coloursUsed;
    }
    if (tableOffset + 4 * tableEntries > pixelOffset)
        return -1;

    // Each row takes a multiple of four bytes; the last row may lack its padding.
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 7) / 8;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    if (pixelOffset + stride * (height - 1) + rowBytes > size)
        return -1;

    if (bits <= 8) {
        m_palette.assign(std::size_t{1} << bits, PaletteEntry{});
        for (std::uint64_t i = 0; i < tableEntries; ++i) {
            const std::uint8_t* e = data + tableOffset + 4 * i;
            m_palette[i] = {e[0], e[1], e[2], e[3]};
        }
    }
    const std::size_t outRow = static_cast<std::size_t>(width) * (bits == 24 ? 3 : 1);
    m_pixels.resize(outRow * static_cast<std::size_t>(height));
    for (std::int32_t r = 0; r < height; ++r) {
        const std::uint8_t* src = data + pixelOffset + stride * static_cast<std::uint64_t>(r);
        const std::int32_t row = bottomUp ? height - 1 - r : r;
        std::uint8_t* dst = m_pixels.data() + outRow * static_cast<std::size_t>(row);
        if (bits == 24 || bits == 8) {
            std::copy(src, src + outRow, dst);
            continue;
        }
        const int perByte = 8 / bits;
        const unsigned mask = (1u << bits) - 1;
        for (std::int32_t x = 0; x < width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            dst[x] = static_cast<std::uint8_t>((src[x / perByte] >> shift) & mask);
        }
    }
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bits;
    return 0;
}

int CDib::loadFile(const std::string& path) {
    clear();
    std::string bytes;
    if (readFileHead(path, kMaxFileBytes, bytes) != ReadResult::Ok)
        return -1;
    return loadBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool CDib::fitsLogo() const {
    return m_width == kLogoWidth && m_height == kLogoHeight &&
           m_bitsPerPixel <= kLogoMaxBitsPerPixel && !isEmpty();
}

CDib CDib::loadLogo(const std::string& path) {
    CDib dib;
    if (dib.loadFile(path) != 0 || !dib.fitsLogo())
        dib.clear();
    return dib;
}

std::uint32_t CDib::rgbAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                          static_cast<std::size_t>(x);
    if (m_bitsPerPixel == 24) {
        const std::uint8_t* p = m_pixels.data() + 3 * i;
        return static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 |
               p[0];
    }
    const PaletteEntry& e = m_palette[m_pixels[i]];
    return static_cast<std::uint32_t>(e.red) << 16 | static_cast<std::uint32_t>(e.green) << 8 |
           e.blue;
}

std::vector<std::uint32_t> CDib::toArgb32() const {
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height));
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out.push_back(0xFF000000u | rgbAt(x, y));
    return out;
}

} // namespace ks
