#include "shell/Placement.h"

namespace ks {

ScreenPoint placeOnWorkArea(const ScreenRect& window, const ScreenRect& workArea, bool maximised) {
    ScreenPoint p{window.left, window.top};
    if (maximised)
        return p;
    if (p.x < workArea.left)
        p.x = workArea.left;
    if (p.y < workArea.top)
        p.y = workArea.top;
    // The size never changes; only the position does.
    const int width = window.width();
    const int height = window.height();
    if (p.y + height > workArea.bottom)
        p.y = height > workArea.height() ? workArea.top : workArea.bottom - height;
    if (p.x + width > workArea.right && width <= workArea.width())
        p.x = workArea.right - width;
    return p;
}

} // namespace ks
