#include "measurement/graph/CGraphWnd.h"

#include "measurement/graph/GraphPainter.h"

#include <QPainter>

namespace ks {

CGraphWnd::CGraphWnd(QWidget* parent) : CGraphWnd(GraphFieldSettings{}, parent) {}

CGraphWnd::CGraphWnd(const GraphFieldSettings& settings, QWidget* parent)
    : QWidget(parent), m_field(settings) {
    // Every pixel is painted, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    followGeometry();
}

void CGraphWnd::place(int left, int top, int right, int bottom, unsigned verticalDivisions,
                      unsigned horizontalDivisions) {
    model().place(left, top, right, bottom, verticalDivisions, horizontalDivisions);
    setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
    followGeometry();
}

void CGraphWnd::addPoint(double value) {
    if (m_field.addPoint(value))
        repaint();
}

void CGraphWnd::redraw() {
    m_field.update();
    repaint();
}

void CGraphWnd::print(QPainter& painter, QRect area) const {
    paintGraph(painter, model(), area, true);
}

QSize CGraphWnd::sizeHint() const {
    return QSize(400, 160);
}

QSize CGraphWnd::minimumSizeHint() const {
    return QSize(120, 60);
}

void CGraphWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGraph(painter, model(), rect(), false);
}

void CGraphWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    followGeometry();
}

void CGraphWnd::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    const QRect g = geometry();
    model().setPlacement(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

void CGraphWnd::followGeometry() {
    const QRect g = geometry();
    model().setPlacement(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
    // The thinning and the pixel heights depend on the size.
    m_field.update();
}

} // namespace ks
