#include "shell/ProgramPictures.h"

#include "app/Dib.h"
#include "app/Version.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cstring>

namespace ks::gui {

QSize logoSize() {
    return {CDib::kLogoWidth, CDib::kLogoHeight};
}

namespace {

const QColor kDeepBlue(0x12, 0x3a, 0x5e);
const QColor kWater(0x3f, 0x9b, 0xd6);
const QColor kSteel(0x8a, 0x97, 0xa3);
const QColor kSignal(0xf2, 0xa1, 0x2c);

void paintPipe(QPainter& p, const QRectF& pipe) {
    QLinearGradient wall(pipe.topLeft(), pipe.bottomLeft());
    wall.setColorAt(0.0, kSteel.lighter(130));
    wall.setColorAt(0.5, kSteel.darker(120));
    wall.setColorAt(1.0, kSteel.lighter(110));
    p.setPen(Qt::NoPen);
    p.setBrush(wall);
    p.drawRoundedRect(pipe, pipe.height() * 0.08, pipe.height() * 0.08);

    const qreal wallThickness = pipe.height() * 0.12;
    const QRectF bore = pipe.adjusted(0, wallThickness, 0, -wallThickness);
    QLinearGradient water(bore.topLeft(), bore.bottomLeft());
    water.setColorAt(0.0, kWater.lighter(125));
    water.setColorAt(1.0, kWater.darker(115));
    p.setBrush(water);
    p.drawRect(bore);

    // Flow arrows along the axis.
    p.setBrush(QColor(255, 255, 255, 150));
    const qreal a = bore.height() * 0.16;
    for (int i = 0; i < 4; ++i) {
        const qreal x = bore.left() + bore.width() * (0.12 + 0.25 * i);
        const qreal y = bore.center().y();
        QPainterPath arrow;
        arrow.moveTo(x - a, y - a * 0.5);
        arrow.lineTo(x + a * 0.4, y - a * 0.5);
        arrow.lineTo(x + a * 0.4, y - a);
        arrow.lineTo(x + a * 1.4, y);
        arrow.lineTo(x + a * 0.4, y + a);
        arrow.lineTo(x + a * 0.4, y + a * 0.5);
        arrow.lineTo(x - a, y + a * 0.5);
        arrow.closeSubpath();
        p.drawPath(arrow);
    }

    // Two transducers, upstream on top and downstream below, and the chord between them.
    const QSizeF probe(pipe.height() * 0.22, pipe.height() * 0.16);
    const QPointF up(pipe.left() + pipe.width() * 0.3, pipe.top());
    const QPointF down(pipe.left() + pipe.width() * 0.7, pipe.bottom());
    QPen chord(kSignal, qMax<qreal>(1.0, pipe.height() * 0.025), Qt::DashLine);
    p.setPen(chord);
    p.drawLine(up + QPointF(0, probe.height() * 0.5), down - QPointF(0, probe.height() * 0.5));
    p.setPen(QPen(kDeepBlue, qMax<qreal>(1.0, pipe.height() * 0.015)));
    p.setBrush(kDeepBlue.lighter(140));
    p.drawRoundedRect(QRectF(up - QPointF(probe.width() / 2, probe.height() / 2), probe), 3, 3);
    p.drawRoundedRect(QRectF(down - QPointF(probe.width() / 2, probe.height() / 2), probe), 3, 3);
}

} // namespace

void paintBuiltInPicture(QPainter& p, const QSize& size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(QPointF(0, 0), QSizeF(size));
    QLinearGradient sky(all.topLeft(), all.bottomLeft());
    sky.setColorAt(0.0, QColor(0xf4, 0xf8, 0xfb));
    sky.setColorAt(1.0, QColor(0xd5, 0xe3, 0xee));
    p.fillRect(all, sky);

    const qreal w = all.width();
    const qreal h = all.height();
    paintPipe(p, QRectF(w * 0.06, h * 0.40, w * 0.88, h * 0.26));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(qMax(8, static_cast<int>(h * 0.12)));
    p.setFont(title);
    p.setPen(kDeepBlue);
    p.drawText(QRectF(0, h * 0.08, w, h * 0.2), Qt::AlignCenter,
               QString::fromUtf8(version::kInternalName));

    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(qMax(6, static_cast<int>(h * 0.045)));
    p.setFont(line);
    p.setPen(kDeepBlue.lighter(150));
    p.drawText(QRectF(0, h * 0.74, w, h * 0.1), Qt::AlignCenter,
               QStringLiteral("transit-time ultrasonic flowmeter"));
    p.restore();
}

QIcon programIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(0.5, 0.5, side - 1.0, side - 1.0);
        p.setPen(Qt::NoPen);
        p.setBrush(kDeepBlue);
        p.drawRoundedRect(r, side * 0.18, side * 0.18);
        p.setBrush(kWater);
        p.drawRect(QRectF(side * 0.1, side * 0.38, side * 0.8, side * 0.24));
        p.setPen(QPen(kSignal, qMax(1.0, side * 0.08)));
        p.drawLine(QPointF(side * 0.3, side * 0.22), QPointF(side * 0.7, side * 0.78));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage loadCustomLogo(const std::string& path) {
    const CDib dib = CDib::loadLogo(path);
    if (dib.isEmpty())
        return {};
    const std::vector<std::uint32_t> argb = dib.toArgb32();
    QImage image(dib.width(), dib.height(), QImage::Format_ARGB32);
    for (int y = 0; y < dib.height(); ++y)
        std::memcpy(image.scanLine(y), argb.data() + static_cast<std::size_t>(y) * dib.width(),
                    static_cast<std::size_t>(dib.width()) * sizeof(std::uint32_t));
    return image;
}

} // namespace ks::gui
