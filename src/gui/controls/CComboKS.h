#pragma once

#include "controls/ControlMessages.h"
#include "framework/ChoiceList.h"

#include <QComboBox>

namespace ks::gui {

// The program's choice list. It holds every entry of its list (list index, shown, text) and
// offers only the shown ones, in the list's order (sorted or not); the program talks in list
// indexes, the box translates them to positions and back. Reports WM_USER_CCOMBOKS_SELSETFOCUS
// when it gets the focus, and on a choice of the user WM_USER_CCOMBOKS_SELCHANGE (when the
// entry changed) then WM_USER_CCOMBOKS_SELENDOK.
class CComboKS : public QComboBox {
    Q_OBJECT
public:
    explicit CComboKS(QWidget* parent = nullptr);

    CControlOwner& owner() { return m_owner; }
    const CControlOwner& owner() const { return m_owner; }

    // New entries; the selected list index stays selected when it is still offered.
    void setChoices(const ks::CChoiceList& choices);
    const ks::CChoiceList& choices() const { return m_choices; }

    // The list index of the selected entry, -1 when none.
    int listIndex() const;
    // Selects the entry with that list index; false (and no selection) when it is not offered.
    bool setListIndex(int index);

signals:
    // The user chose an entry; sent before the notifications.
    void listIndexChosen(int index);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void onActivated(int position);

    CControlOwner m_owner;
    ks::CChoiceList m_choices;
    int m_reported = -1;
};

} // namespace ks::gui
