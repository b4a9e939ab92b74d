#pragma once

#include <QString>

class QWidget;

namespace ks::desktop {

// The window a screenshot shows: the modal dialog on top, else the active window, else the
// given fallback.
QWidget* windowToShoot(QWidget* fallback);

// Writes a PNG of the window with a title strip above it (a grab holds no window frame, and
// the caption is part of what the picture documents), and the open drop-down menu, if one
// is given, where it hangs over the window. False when the file cannot be written.
bool writeScreenshot(QWidget& window, QWidget* openMenu, const QString& path);

} // namespace ks::desktop
