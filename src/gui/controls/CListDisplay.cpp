#include "controls/CListDisplay.h"

namespace ks::gui {

CListDisplay::CListDisplay(QWidget* parent) : QLabel(parent) {}

void CListDisplay::setList(const QStringList& entries) {
    m_entries = entries;
    if (m_index >= 0 && m_index < m_entries.size())
        setText(m_entries.at(m_index));
}

int CListDisplay::setIndex(int index) {
    if (index < 0 || index >= m_entries.size())
        return -1;
    m_index = index;
    setText(m_entries.at(index));
    return 0;
}

} // namespace ks::gui
