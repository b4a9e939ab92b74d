#include "app/Dib.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <vector>

using namespace ks;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// The value a test picture holds at (x, y) counted from its top row: a palette index, or a
// 0xRRGGBB colour for 24 bits.
std::uint32_t sample(int bits, int x, int y) {
    if (bits == 24)
        return static_cast<std::uint32_t>(((x * 40 + y) & 0xFF) << 16 | ((y * 50) & 0xFF) << 8 |
                                          ((x + y * 7) & 0xFF));
    return static_cast<std::uint32_t>(x * 3 + y * 5) % (1u << bits);
}

// Palette entry i of a test picture, as 0xRRGGBB.
std::uint32_t paletteColour(std::uint32_t i) {
    return (i * 7 % 256) << 16 | (255 - i) << 8 | i;
}

// A BMP file of the picture above. A negative height stores the rows top-down.
Bytes makeBmp(int width, int height, int bits, std::uint32_t coloursUsed = 0) {
    const int rows = height < 0 ? -height : height;
    const std::uint32_t entries = bits <= 8 ? (coloursUsed ? coloursUsed : 1u << bits) : 0;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t offset = 14 + 40 + 4 * entries;
    Bytes b(offset + stride * rows, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, static_cast<std::uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<std::uint32_t>(bits));
    put32(b, 46, coloursUsed);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint32_t c = paletteColour(i);
        b[54 + 4 * i] = static_cast<std::uint8_t>(c);
        b[54 + 4 * i + 1] = static_cast<std::uint8_t>(c >> 8);
        b[54 + 4 * i + 2] = static_cast<std::uint8_t>(c >> 16);
    }
    for (int r = 0; r < rows; ++r) {
        const int y = height > 0 ? rows - 1 - r : r; // bottom-up files start with the last row
        std::uint8_t* row = b.data() + offset + stride * r;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = sample(bits, x, y);
            if (bits == 24) {
                row[3 * x] = static_cast<std::uint8_t>(v);
                row[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                row[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
            } else {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                row[x / perByte] |= static_cast<std::uint8_t>(v << shift);
            }
        }
    }
    return b;
}

int load(CDib& dib, const Bytes& b) {
    return dib.loadBytes(b.data(), b.size());
}

} // namespace

TEST(Dib, LoadsEveryDepthTopDown) {
    for (const int bits : {1, 4, 8, 24})
        for (const int width : {1, 3, 9, 33})
            for (const int height : {2, -2, 5}) {
                CDib dib;
                ASSERT_EQ(load(dib, makeBmp(width, height, bits)), 0)
                    << bits << " " << width << "x" << height;
                const int rows = height < 0 ? -height : height;
                EXPECT_EQ(dib.width(), width);
                EXPECT_EQ(dib.height(), rows);
                EXPECT_EQ(dib.bitsPerPixel(), bits);
                EXPECT_EQ(dib.palette().size(), bits == 24 ? 0u : 1u << bits);
                for (int y = 0; y < rows; ++y)
                    for (int x = 0; x < width; ++x) {
                        const std::uint32_t v = sample(bits, x, y);
                        ASSERT_EQ(dib.rgbAt(x, y), bits == 24 ? v : paletteColour(v))
                            << bits << " " << width << "x" << height << " at " << x << "," << y;
                    }
            }
}

TEST(Dib, ShortColourTableAndUnpaddedLastRow) {
    // Two colours declared for an 8-bit picture: the others are black.
    Bytes b = makeBmp(4, 2, 8, 2);
    CDib dib;
    ASSERT_EQ(load(dib, b), 0);
    EXPECT_EQ(dib.rgbAt(0, 0), paletteColour(0)); // index 0
    EXPECT_EQ(dib.rgbAt(1, 0), 0u);               // index 3: not in the file
    // Some writers leave the padding off the last row: 3 bytes of pixels, no fourth.
    b = makeBmp(3, 2, 8);
    b.pop_back();
    ASSERT_EQ(load(dib, b), 0);
    EXPECT_EQ(dib.rgbAt(2, 0), paletteColour(sample(8, 2, 0)));
}

TEST(Dib, FilesThatLieAreRefused) {
    const Bytes good = makeBmp(8, 4, 8);
    struct Case {
        const char* what;
        std::function<void(Bytes&)> spoil;
    };
    const std::vector<Case> cases = {
        {"not BM", [](Bytes& b) { b[1] = 'A'; }},
        {"compressed", [](Bytes& b) { put32(b, 30, 1); }},
        {"16 bits", [](Bytes& b) { put16(b, 28, 16); }},
        {"0 bits", [](Bytes& b) { put16(b, 28, 0); }},
        {"core header", [](Bytes& b) { put32(b, 14, 12); }},
        {"header past the end", [](Bytes& b) { put32(b, 14, 0xFFFFFFF0u); }},
        {"width 0", [](Bytes& b) { put32(b, 18, 0); }},
        {"negative width", [](Bytes& b) { put32(b, 18, static_cast<std::uint32_t>(-8)); }},
        {"height 0", [](Bytes& b) { put32(b, 22, 0); }},
        {"lowest height", [](Bytes& b) { put32(b, 22, static_cast<std::uint32_t>(INT_MIN)); }},
        {"taller than the file", [](Bytes& b) { put32(b, 22, 5); }},
        {"wider than the file", [](Bytes& b) { put32(b, 18, 12); }},
        {"huge", [](Bytes& b) { put32(b, 18, 30000), put32(b, 22, 30000); }},
        {"257 colours", [](Bytes& b) { put32(b, 46, 257); }},
        {"pixels inside the colour table", [](Bytes& b) { put32(b, 10, 54 + 4 * 100); }},
        {"pixels past the end", [](Bytes& b) { put32(b, 10, 0xFFFFFFFFu); }},
        {"cut short", [](Bytes& b) { b.resize(b.size() - 5); }},
        {"cut in the header", [](Bytes& b) { b.resize(30); }},
    };
    for (const auto& c : cases) {
        Bytes b = good;
        c.spoil(b);
        CDib dib;
        EXPECT_EQ(load(dib, b), -1) << c.what;
        EXPECT_TRUE(dib.isEmpty()) << c.what;
        EXPECT_TRUE(dib.pixels().empty()) << c.what;
    }
    CDib dib;
    EXPECT_EQ(dib.loadBytes(nullptr, 0), -1);
}

TEST(Dib, OnlyTheLogoSizeAndDepthIsShown) {
    TempFolder tmp;
    struct Case {
        int width, height, bits;
        bool shown;
    };
    const std::vector<Case> cases = {
        {563, 446, 8, true},   {563, -446, 4, true}, {563, 446, 1, true},
        {563, 446, 24, false}, {562, 446, 8, false}, {563, 447, 8, false},
    };
    for (const auto& c : cases) {
        const Bytes b = makeBmp(c.width, c.height, c.bits);
        writeBytes(tmp.path("logo.bmp"), std::string(b.begin(), b.end()));
        CDib file;
        EXPECT_EQ(file.loadFile(tmp.path("logo.bmp")), 0);
        const CDib logo = CDib::loadLogo(tmp.path("logo.bmp"));
        EXPECT_EQ(!logo.isEmpty(), c.shown) << c.width << "x" << c.height << "x" << c.bits;
        if (c.shown) {
            EXPECT_EQ(logo.toArgb32().size(), 563u * 446u);
            EXPECT_EQ(logo.toArgb32()[0], 0xFF000000u | paletteColour(sample(c.bits, 0, 0)));
        }
    }
    EXPECT_TRUE(CDib::loadLogo(tmp.path("missing.bmp")).isEmpty());
}
