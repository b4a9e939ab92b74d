#pragma once

#include "framework/PrintLines.h"

#include <QDateTime>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace ks::gui {

// What a dialog's printout shows: a heading (title, date line, program name) and the lines of
// its field list.
struct DialogPrintout {
    QString title;
    QString dateLine;
    QString programName;
    std::vector<ks::PrintLine> lines;
};

// The document name of a printout: title, date and time as "%s %4d-%02d-%02d %02d-%02d-%02d".
QString printDocumentName(const QString& title, const QDateTime& when);

// Draws the printout on a painter begun on that device: the heading bold and underlined, the
// lines from 60 points down, captions on the left and values in a second column; a new page
// when one is full. 0, or -1 when the device refused a new page.
int paintDialogPrintout(QPainter& painter, QPagedPaintDevice& device,
                        const DialogPrintout& printout);

} // namespace ks::gui
