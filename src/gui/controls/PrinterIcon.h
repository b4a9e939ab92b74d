#pragma once

#include <QIcon>

namespace ks::gui {

// The picture of the print buttons: the text table has no caption for them.
QIcon printerIcon();

} // namespace ks::gui
