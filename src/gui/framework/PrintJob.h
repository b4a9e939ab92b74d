#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace ks::gui {

// Draws a document's pages on a painter begun on the device: 0, or -1 when a page could not
// be started.
using PagePainter = std::function<int(QPainter&, QPagedPaintDevice&)>;

// One printout of the program: into the next file of --print-to (written beside it and then
// put in place whole), on the default printer when unattended (print all), or on the printer
// the user picks in the print dialog. The document is named by its title and the time.
// 0, or -1 when nothing was printed; failures are shown with the caption given.
int printDocument(QWidget* parent, const QString& title, bool unattended,
                  const QString& errorCaption, const PagePainter& paint);

} // namespace ks::gui
