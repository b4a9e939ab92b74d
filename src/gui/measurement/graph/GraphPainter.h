#pragma once

#include "measurement/graph/GraphModel.h"

#include <QRect>

class QPainter;

namespace ks {

// Draws the graph into `area` of any paint device: the screen, an image, a printer or a PDF.
// Sizes are device pixels and the label font is sized in points, so a printed graph fills its
// area at the device's resolution; printing doubles every pen width.
void paintGraph(QPainter& painter, const GraphModel& model, QRect area, bool printing);

} // namespace ks
