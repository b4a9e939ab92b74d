#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ks {

// A device-independent bitmap (a ".bmp" file) held in memory top-down, as the main window
// paints the customer logo from it.
//
// Only uncompressed files of 1, 4, 8 or 24 bits per pixel load. The file is untrusted: sizes,
// offsets and colour counts are checked against the file's length before anything is read,
// and a file that does not add up loads as an empty picture.
class CDib {
public:
    // The only picture the main window shows: exactly this size, at most 8 bits per pixel.
    static constexpr int kLogoWidth = 563;
    static constexpr int kLogoHeight = 446;
    static constexpr int kLogoMaxBitsPerPixel = 8;

    // Limits that keep a hostile file from making us allocate without bound.
    static constexpr std::size_t kMaxFileBytes = 64u << 20;
    static constexpr std::int64_t kMaxPixels = 1 << 24;
    static constexpr std::int32_t kMaxSide = 1 << 15;

    struct PaletteEntry {
        std::uint8_t blue = 0;
        std::uint8_t green = 0;
        std::uint8_t red = 0;
        std::uint8_t reserved = 0;
    };

    // 0, or -1 with an empty picture.
    int loadFile(const std::string& path);
    int loadBytes(const std::uint8_t* data, std::size_t size);

    // The picture for the main window: the file's if it loads and has the logo's size and
    // depth, an empty one otherwise (so nothing is painted).
    static CDib loadLogo(const std::string& path);

    void clear();
    bool isEmpty() const { return m_width == 0; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // As stored in the file: 1, 4, 8 or 24; 0 when empty.
    int bitsPerPixel() const { return m_bitsPerPixel; }
    bool fitsLogo() const;

    // 2, 16 or 256 entries for pictures of up to 8 bits (entries the file leaves out are
    // black), none for 24 bits.
    const std::vector<PaletteEntry>& palette() const { return m_palette; }
    // Rows top-down without padding: one palette index per pixel up to 8 bits per pixel,
    // blue, green, red for 24 bits.
    const std::vector<std::uint8_t>& pixels() const { return m_pixels; }

    // 0xRRGGBB of one pixel; 0 outside the picture.
    std::uint32_t rgbAt(int x, int y) const;
    // The whole picture as 0xFFRRGGBB words, rows top-down.
    std::vector<std::uint32_t> toArgb32() const;

private:
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0;
    std::vector<PaletteEntry> m_palette;
    std::vector<std::uint8_t> m_pixels;
};

} // namespace ks
