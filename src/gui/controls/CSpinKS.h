#pragma once

#include "controls/ControlMessages.h"

#include <QWidget>

class QToolButton;

namespace ks::gui {

// The program's up-down control: two arrow buttons (and the Up/Down keys and the wheel) that
// step a position. Every step goes to the owner as WM_USER_CSPINKS_NEW_DELTA with wParam = the
// position before the step and lParam = the step; the owner cannot refuse it. The position
// then moves by the step within the range.
class CSpinKS : public QWidget {
    Q_OBJECT
public:
    explicit CSpinKS(QWidget* parent = nullptr);

    CControlOwner& owner() { return m_owner; }
    const CControlOwner& owner() const { return m_owner; }

    int position() const { return m_position; }
    void setPosition(int position);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setRange(int minimum, int maximum);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    // One step as the user makes it: reports, then moves.
    void step(int delta);

signals:
    void stepped(int position, int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    CControlOwner m_owner;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_position = 0;
    int m_minimum = -32768;
    int m_maximum = 32767;
};

} // namespace ks::gui
