#include "controls/ControlMessages.h"

#include "app/KsEvent.h"

#include <QCoreApplication>
#include <QWidget>

namespace ks::gui {

void registerControlMessages() {
    for (const char* name :
         {kButtonClick, kButtonDoubleClick, kButtonKillFocus, kComboSetFocus, kComboSelChange,
          kComboSelEndOk, kEditChange, kEditLostFocus, kSpinNewDelta})
        CKsEvent::typeOf(name);
}

QObject* CControlOwner::notifyTarget() const {
    if (m_target)
        return m_target.data();
    return m_control->parentWidget();
}

void CControlOwner::send(const char* name, long long wParam, long long lParam) const {
    QObject* target = notifyTarget();
    if (target == nullptr)
        return;
    CKsEvent event(name, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace ks::gui
