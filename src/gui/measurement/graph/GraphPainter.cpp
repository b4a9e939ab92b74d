#include "measurement/graph/GraphPainter.h"

#include "measurement/graph/PaintPlan.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>

namespace ks {

namespace {

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QPoint toQPoint(PlanPoint p) {
    return QPoint(p.x, p.y);
}

// Flat caps keep a line's ends where the plan puts them.
QPen pen(Rgb colour, int width, Qt::PenStyle style = Qt::SolidLine) {
    return QPen(toQColor(colour), width, style, Qt::FlatCap, Qt::MiterJoin);
}

void drawLine(QPainter& painter, const PlanLine& line) {
    painter.setPen(
        pen(line.colour, line.width, line.pen == PlanPen::Dotted ? Qt::DotLine : Qt::SolidLine));
    painter.drawLine(toQPoint(line.from), toQPoint(line.to));
}

void drawMark(QPainter& painter, const PlanMark& mark, Rgb colour) {
    if (mark.shape == MarkShape::Dot) {
        painter.setPen(QPen(toQColor(colour), mark.width, Qt::SolidLine, Qt::SquareCap));
        painter.drawPoint(toQPoint(mark.at));
        return;
    }
    painter.setPen(pen(colour, mark.width));
    const QPoint c = toQPoint(mark.at);
    painter.drawLine(c - QPoint(mark.arm, 0), c + QPoint(mark.arm, 0));
    painter.drawLine(c - QPoint(0, mark.arm), c + QPoint(0, mark.arm));
}

void drawCurve(QPainter& painter, const PlanCurve& curve) {
    painter.setPen(pen(curve.colour, curve.lineWidth));
    for (const auto& line : curve.polylines) {
        QPolygon polygon;
        polygon.reserve(static_cast<int>(line.size()));
        for (const PlanPoint& p : line)
            polygon << toQPoint(p);
        painter.drawPolyline(polygon);
    }
    for (const PlanMark& mark : curve.marks)
        drawMark(painter, mark, curve.colour);
}

} // namespace

void paintGraph(QPainter& painter, const GraphModel& model, QRect area, bool printing) {
    painter.save();
    QFont font = painter.font();
    font.setPointSize(model.labelSize());
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const PaintPlan plan =
        buildPaintPlan(model, {area.width(), area.height(), metrics.height(), printing});
    if (plan.empty()) {
        painter.restore();
        return;
    }
    painter.translate(area.topLeft());
    painter.setClipRect(QRect(0, 0, plan.width, plan.height), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.fillRect(QRect(0, 0, plan.width, plan.height), toQColor(plan.background));
    for (const PlanLine& line : plan.grid)
        drawLine(painter, line);
    painter.setPen(pen(plan.frameColour, plan.frameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, plan.width - 1, plan.height - 1));
    if (plan.zeroLine)
        drawLine(painter, *plan.zeroLine);
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const PlanText& text : plan.texts) {
        painter.setPen(toQColor(text.colour));
        painter.drawText(QPoint(text.x, text.y + metrics.ascent()),
                         QString::fromStdString(text.text));
    }
    for (const PlanCurve& curve : plan.curves)
        drawCurve(painter, curve);
    painter.restore();
}

} // namespace ks
