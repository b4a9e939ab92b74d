#include "settings/ParameterButtons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ks::gui {

namespace {

constexpr int kSize = 24;

void sheet(QPainter& p, const QRect& r) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int y = r.top() + 3; y < r.bottom() - 1; y += 3)
        p.drawLine(r.left() + 2, y, r.right() - 2, y);
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::max(1.0, std::hypot(d.x(), d.y()));
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(to + u * 2);
    head.lineTo(to - u * 5 + n * 4);
    head.lineTo(to - u * 5 - n * 4);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

} // namespace

QIcon parameterButtonIcon(ParameterButton button) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (button) {
    case ParameterButton::Print:
        sheet(p, QRect(6, 1, 12, 8)); // the sheet going in
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(2, 8, 20, 9);       // the printer
        sheet(p, QRect(6, 14, 12, 9)); // the sheet coming out
        break;
    case ParameterButton::Compare:
        sheet(p, QRect(1, 2, 10, 14));
        sheet(p, QRect(13, 2, 10, 14));
        p.setPen(QPen(QColor(200, 40, 40), 2));
        p.drawLine(4, 20, 20, 20);
        p.drawLine(4, 23, 20, 23);
        break;
    case ParameterButton::Save:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(40, 70, 140));
        p.drawRect(2, 2, 20, 20); // a disk
        p.setBrush(Qt::white);
        p.drawRect(6, 2, 12, 7);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(6, 13, 12, 9);
        break;
    case ParameterButton::Transfer:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(220, 220, 220));
        p.drawRoundedRect(QRectF(12, 4, 11, 16), 2, 2); // the meter
        p.setBrush(QColor(40, 160, 60));
        p.drawRect(14, 7, 7, 4);
        arrow(p, QPointF(1, 12), QPointF(10, 12), QColor(30, 90, 190));
        break;
    case ParameterButton::Ok:
        p.setPen(QPen(QColor(30, 140, 50), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(10, 19), QPointF(20, 5)}));
        break;
    }
    p.end();
    return QIcon(pixmap);
}

QString parameterButtonTip(ParameterButton button, int language) {
    // French, English, Portuguese, German, Spanish.
    static const char* const kTips[5][5] = {
        {"Imprimer", "Print", "Imprimir", "Drucken", "Imprimir"},
        {"Comparer avec une référence", "Compare with a reference", "Comparar com uma referência",
         "Mit einer Referenz vergleichen", "Comparar con una referencia"},
        {"Sauvegarder", "Save", "Salvar", "Speichern", "Guardar"},
        {"Transfert", "Transfer", "Transferência", "Übertragen", "Transferencia"},
        {"OK", "OK", "OK", "OK", "OK"},
    };
    const int row = static_cast<int>(button);
    const int column = language >= 1 && language <= 5 ? language - 1 : 0;
    return QString::fromUtf8(kTips[row][column]);
}

} // namespace ks::gui
