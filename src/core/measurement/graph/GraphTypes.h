#pragma once

#include "measurement/graph/SampleSeries.h"

#include <cstdint>

namespace ks {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// Style bits of a curve; they combine.
namespace CurveStyle {
inline constexpr unsigned kLine = 0x01;          // points joined by a line
inline constexpr unsigned kDotMarks = 0x02;      // a dot at each point, wide pen
inline constexpr unsigned kCrossMarks = 0x04;    // a small cross at each point
inline constexpr unsigned kSymmetricAuto = 0x08; // range -A .. A over the automatic curves
inline constexpr unsigned kPositiveAuto = 0x10;  // range 0 .. A
inline constexpr unsigned kSpanAuto = 0x20;      // the extremes of the last automatic curve
inline constexpr unsigned kAnyAuto = kSymmetricAuto | kPositiveAuto | kSpanAuto;
} // namespace CurveStyle

struct CurveRecord {
    Rgb colour;
    bool visible = false;
    unsigned style = CurveStyle::kLine;
    double minimum = -1.0;
    double maximum = 1.0;
    SampleSeries series;
};

// The drawing area inside the parent window.
struct Placement {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// What an update derived for one curve: the range it is drawn with, its values thinned to the
// width, and their heights in pixels above the bottom edge (missing where a value is missing or
// out of range). `mapped` is false when the range or the area was refused.
struct CurveView {
    double minimum = -1.0;
    double maximum = 1.0;
    bool mapped = false;
    SampleSeries thinned;
    SampleSeries pixels;
};

} // namespace ks
