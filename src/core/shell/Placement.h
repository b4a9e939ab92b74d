#pragma once

namespace ks {

// A rectangle in screen coordinates; right and bottom lie just outside it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Where a dialog's window goes so that it stays on the work area (the screen without its
// panels): a window that starts left of or above the work area is brought onto it; one that
// reaches below it is raised until its bottom meets the work area's bottom, or goes to the
// top when it is taller than the work area; one that reaches past the right edge is moved
// left when it fits. A maximised window stays where it is.
ScreenPoint placeOnWorkArea(const ScreenRect& window, const ScreenRect& workArea,
                            bool maximised = false);

} // namespace ks
