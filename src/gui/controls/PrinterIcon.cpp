#include "controls/PrinterIcon.h"

#include <QPainter>
#include <QPixmap>

namespace ks::gui {

QIcon printerIcon() {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 10, 7); // the sheet going in
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(1, 7, 18, 8); // the printer
    p.setBrush(Qt::white);
    p.drawRect(5, 12, 10, 7); // the sheet coming out
    p.end();
    return QIcon(pixmap);
}

} // namespace ks::gui
