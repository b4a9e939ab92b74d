#include "controls/CSpinKS.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace ks::gui {

CSpinKS::CSpinKS(QWidget* parent)
    : QWidget(parent), m_owner(this), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void CSpinKS::setPosition(int position) {
    m_position = std::clamp(position, m_minimum, m_maximum);
}

void CSpinKS::setRange(int minimum, int maximum) {
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
    setPosition(m_position);
}

void CSpinKS::step(int delta) {
    const int before = m_position;
    m_owner.send(kSpinNewDelta, before, delta);
    emit stepped(before, delta);
    setPosition(static_cast<int>(
        std::clamp<long long>(static_cast<long long>(before) + delta, m_minimum, m_maximum)));
}

void CSpinKS::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        step(1);
    else if (event->key() == Qt::Key_Down)
        step(-1);
    else
        QWidget::keyPressEvent(event);
}

void CSpinKS::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy != 0)
        step(dy > 0 ? 1 : -1);
    event->accept();
}

} // namespace ks::gui
