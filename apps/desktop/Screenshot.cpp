#include "Screenshot.h"

#include "app/FileAccess.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace ks::desktop {

namespace {

constexpr int kStrip = 28;

void paintTitleStrip(QPainter& p, const QWidget& window, int width) {
    p.fillRect(QRect(0, 0, width, kStrip), QColor(0x2b, 0x3a, 0x4a));
    int textLeft = 8;
    const QIcon icon = window.windowIcon();
    if (!icon.isNull()) {
        p.drawPixmap(6, (kStrip - 16) / 2, icon.pixmap(16, 16));
        textLeft = 28;
    }
    QFont font = window.font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    const QRect titleRect(textLeft, 0, width - textLeft - 6, kStrip);
    p.drawText(
        titleRect, Qt::AlignVCenter | Qt::AlignLeft,
        QFontMetrics(font).elidedText(window.windowTitle(), Qt::ElideRight, titleRect.width()));
}

} // namespace

QWidget* windowToShoot(QWidget* fallback) {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return fallback;
}

bool writeScreenshot(QWidget& window, QWidget* openMenu, const QString& path) {
    const QPixmap content = window.grab();
    // Window contents start below the strip; a drop-down may reach past the window.
    QRect canvas(0, 0, content.width(), content.height() + kStrip);
    QPixmap menu;
    QPoint menuAt;
    if (openMenu != nullptr && openMenu->isVisible()) {
        menu = openMenu->grab();
        menuAt = openMenu->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)) +
                 QPoint(0, kStrip);
        canvas = canvas.united(QRect(menuAt, menu.size()));
    }
    QImage image(canvas.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.translate(-canvas.topLeft());
    paintTitleStrip(p, window, content.width());
    p.drawPixmap(0, kStrip, content);
    if (!menu.isNull())
        p.drawPixmap(menuAt, menu);
    p.end();
    // Encoded in memory first, so that a failed write leaves an older picture as it was.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return false;
    return ks::replaceFileContents(
               QFile::encodeName(path).toStdString(),
               std::string_view(png.constData(), static_cast<std::size_t>(png.size()))) == 0;
}

} // namespace ks::desktop
