#pragma once

#include "controls/ControlMessages.h"

#include <QPushButton>

namespace ks::gui {

// The program's icon button: a push button that reports WM_USER_CBUTTONKS_CLICK,
// WM_USER_CBUTTONKS_DBCLICK and WM_USER_CBUTTONKS_KILL_FOCUS (lParam: the widget that gets the
// focus) to its owner.
class CButtonKS : public QPushButton {
    Q_OBJECT
public:
    explicit CButtonKS(QWidget* parent = nullptr);
    CButtonKS(const QIcon& icon, const QString& text, QWidget* parent = nullptr);

    CControlOwner& owner() { return m_owner; }
    const CControlOwner& owner() const { return m_owner; }

    // The widget a kill-focus notification names.
    static QWidget* widgetOf(long long lParam) {
        return reinterpret_cast<QWidget*>(static_cast<quintptr>(lParam));
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CControlOwner m_owner;
};

} // namespace ks::gui
