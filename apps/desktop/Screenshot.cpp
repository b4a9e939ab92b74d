#include "Screenshot.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace ks::desktop {

QWidget* windowToShoot(QWidget* fallback) {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return fallback;
}

bool writeScreenshot(QWidget& window, const QString& path) {
    const QPixmap content = window.grab();
    const int strip = 28;
    QImage image(content.width(), content.height() + strip, QImage::Format_ARGB32);
    image.fill(QColor(0x2b, 0x3a, 0x4a));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QIcon icon = window.windowIcon();
    int textLeft = 8;
    if (!icon.isNull()) {
        p.drawPixmap(6, (strip - 16) / 2, icon.pixmap(16, 16));
        textLeft = 28;
    }
    QFont font = window.font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    const QRect titleRect(textLeft, 0, content.width() - textLeft - 6, strip);
    const QString title =
        QFontMetrics(font).elidedText(window.windowTitle(), Qt::ElideRight, titleRect.width());
    p.drawText(titleRect, Qt::AlignVCenter | Qt::AlignLeft, title);
    p.drawPixmap(0, strip, content);
    p.end();
    return image.save(path, "PNG");
}

} // namespace ks::desktop
