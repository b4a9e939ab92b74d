#pragma once

#include "settings/SettingsCompare.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace ks::gui {

// Draws the difference list on a painter begun on the device: title and date, the two
// source lines, the four-column table with its title row (a new page when one is full, the
// title row repeated), then the unit-number and signature lines. 0, or -1 when a page could
// not be started.
int paintDifferencePrintout(QPainter& painter, QPagedPaintDevice& device,
                            const ks::DifferenceReport& report, const QString& dateLine);

} // namespace ks::gui
