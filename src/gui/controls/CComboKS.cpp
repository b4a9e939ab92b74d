#include "controls/CComboKS.h"

#include <QSignalBlocker>

namespace ks::gui {

CComboKS::CComboKS(QWidget* parent) : QComboBox(parent), m_owner(this) {
    connect(this, &QComboBox::activated, this, &CComboKS::onActivated);
}

void CComboKS::setChoices(const ks::CChoiceList& choices) {
    const int selected = listIndex();
    const QSignalBlocker quiet(this);
    m_choices = choices;
    clear();
    for (const ks::ChoiceEntry& entry : m_choices.entries())
        if (entry.shown)
            addItem(QString::fromStdString(entry.text), entry.index);
    setListIndex(selected);
}

int CComboKS::listIndex() const {
    return m_choices.indexAt(currentIndex());
}

bool CComboKS::setListIndex(int index) {
    const QSignalBlocker quiet(this);
    const int position = m_choices.positionOf(index);
    setCurrentIndex(position);
    m_reported = position < 0 ? -1 : index;
    return position >= 0;
}

void CComboKS::onActivated(int position) {
    const int index = m_choices.indexAt(position);
    const bool changed = index != m_reported;
    m_reported = index;
    emit listIndexChosen(index);
    if (changed)
        m_owner.send(kComboSelChange);
    m_owner.send(kComboSelEndOk);
}

void CComboKS::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    m_owner.send(kComboSetFocus);
}

} // namespace ks::gui
