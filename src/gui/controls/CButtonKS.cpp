#include "controls/CButtonKS.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>

namespace ks::gui {

CButtonKS::CButtonKS(QWidget* parent) : CButtonKS(QIcon(), QString(), parent) {}

CButtonKS::CButtonKS(const QIcon& icon, const QString& text, QWidget* parent)
    : QPushButton(icon, text, parent), m_owner(this) {
    connect(this, &QPushButton::clicked, this, [this] { m_owner.send(kButtonClick); });
}

void CButtonKS::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_owner.send(kButtonDoubleClick);
    QPushButton::mouseDoubleClickEvent(event);
}

void CButtonKS::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    // Qt has already moved the focus when the old widget hears of it.
    QWidget* next = QApplication::focusWidget();
    m_owner.send(kButtonKillFocus, m_owner.ownerId(),
                 static_cast<long long>(reinterpret_cast<quintptr>(next)));
}

} // namespace ks::gui
