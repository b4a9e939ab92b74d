#pragma once

#include "controls/ControlMessages.h"
#include "framework/EditBoxRules.h"

#include <QLineEdit>

namespace ks::gui {

// The program's edit box. What the user typed is checked by the field's rules (reformatted by
// the display format, held to the range with a beep) when the entry is finished: on Enter or
// when the box loses the focus. Checking on every key stroke would make most numbers
// impossible to type (the first digit of 5000 is below a minimum of 10). Text formats are cut
// to their length as the user types. Then the box sends WM_USER_CEDITKS_ONCHANGE; leaving it
// sends WM_USER_CEDITKS_LOSTFOCUS.
class CEditKS : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditKS(QWidget* parent = nullptr);
    ~CEditKS() override;

    CControlOwner& owner() { return m_owner; }
    const CControlOwner& owner() const { return m_owner; }

    const ks::EditBoxRules& rules() const { return m_rules; }
    void setRules(const ks::EditBoxRules& rules);
    void setFormat(const QString& format);
    void setRange(double minimum, double maximum);

    // Shows a text from the program: no check, no notification.
    void setValueText(const QString& text);

    // Checks the text typed since the last check and reports it; nothing when untouched.
    void commit();

signals:
    // The user's entry after the rules, before the notification goes out.
    void edited(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void onTextEdited(const QString& text);
    void giveFocusBack(QWidget* previous, QWidget* now);
    bool isTextFormat() const;

    CControlOwner m_owner;
    ks::EditBoxRules m_rules;
    bool m_dirty = false;
    QMetaObject::Connection m_focusWatch;
};

} // namespace ks::gui
