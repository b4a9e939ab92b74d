#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace ks::gui {

// The nine notifications of the program's own controls. Each is a registered message; a
// control sends it to its notify target (by default its parent widget) as a CKsEvent with
// wParam = the owner's control id unless stated otherwise.
inline constexpr char kButtonClick[] = "WM_USER_CBUTTONKS_CLICK";
inline constexpr char kButtonDoubleClick[] = "WM_USER_CBUTTONKS_DBCLICK";
// lParam: the widget that gets the focus (QWidget* as an integer), 0 when none of ours.
inline constexpr char kButtonKillFocus[] = "WM_USER_CBUTTONKS_KILL_FOCUS";
inline constexpr char kComboSetFocus[] = "WM_USER_CCOMBOKS_SELSETFOCUS";
inline constexpr char kComboSelChange[] = "WM_USER_CCOMBOKS_SELCHANGE";
inline constexpr char kComboSelEndOk[] = "WM_USER_CCOMBOKS_SELENDOK";
inline constexpr char kEditChange[] = "WM_USER_CEDITKS_ONCHANGE";
inline constexpr char kEditLostFocus[] = "WM_USER_CEDITKS_LOSTFOCUS";
// wParam: the spin position before the step; lParam: the step.
inline constexpr char kSpinNewDelta[] = "WM_USER_CSPINKS_NEW_DELTA";

// Registers the nine names (start-up does it once; sending registers on first use anyway).
void registerControlMessages();

// Who a control reports to and under which id. Every control of the kit holds one.
class CControlOwner {
public:
    explicit CControlOwner(QWidget* control) : m_control(control) {}

    int ownerId() const { return m_ownerId; }
    void setOwnerId(int id) { m_ownerId = id; }
    // The object that receives the notifications; the control's parent widget when unset.
    QObject* notifyTarget() const;
    void setNotifyTarget(QObject* target) { m_target = target; }

    // Delivers a notification at once (the receiver has handled it when this returns).
    void send(const char* name, long long wParam, long long lParam = 0) const;
    void send(const char* name) const { send(name, m_ownerId, 0); }

private:
    QWidget* m_control;
    int m_ownerId = 0;
    QPointer<QObject> m_target;
};

} // namespace ks::gui
