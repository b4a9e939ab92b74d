#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <string>

class QPainter;

namespace ks::gui {

// The main window's picture size (the size of a customer logo).
QSize logoSize();

// The built-in picture of the main window and the About box: a pipe with its two
// transducers and the ultrasonic chord between them, drawn in code so that it scales.
void paintBuiltInPicture(QPainter& painter, const QSize& size);

// The program's window icon, at the usual sizes.
QIcon programIcon();

// A customer logo.bmp as a picture to paint: empty when the file does not load or is not
// a logo (see CDib::loadLogo).
QImage loadCustomLogo(const std::string& path);

} // namespace ks::gui
