#pragma once

#include "measurement/graph/GraphField.h"

#include <QWidget>

class QPainter;

namespace ks {

// The graph window of a dialog: the live flow graph and the two plots of each ESC view. It owns
// the graph field (curve 1 as a scrolling window of points, range and unit labels) and paints
// its model; the model's area follows the widget's geometry.
class CGraphWnd : public QWidget {
    Q_OBJECT

public:
    explicit CGraphWnd(QWidget* parent = nullptr);
    explicit CGraphWnd(const GraphFieldSettings& settings, QWidget* parent = nullptr);

    GraphField& field() { return m_field; }
    const GraphField& field() const { return m_field; }
    GraphModel& model() { return m_field.model(); }
    const GraphModel& model() const { return m_field.model(); }

    // Places the window in its parent (right and bottom exclusive) with the grid's divisions.
    void place(int left, int top, int right, int bottom, unsigned verticalDivisions,
               unsigned horizontalDivisions);
    // Appends a point to curve 1; repaints at once unless the field's option is "point".
    void addPoint(double value);
    // Recomputes ranges and pixels and repaints at once.
    void redraw();
    // The same drawing on another device (printer, PDF) with doubled line widths.
    void print(QPainter& painter, QRect area) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void followGeometry();

    GraphField m_field;
};

} // namespace ks
