#include "controls/CTabHost.h"

#include "controls/LanguageText.h"

namespace ks::gui {

CTabHost::CTabHost(QWidget* parent) : QTabWidget(parent) {}

int CTabHost::addPage(QWidget* page, int titleText) {
    const int position = addTab(page, languageText(titleText, m_language));
    m_titles.insert(position, titleText);
    return position;
}

void CTabHost::setLanguage(int language) {
    m_language = language;
    for (int i = 0; i < m_titles.size() && i < count(); ++i)
        setTabText(i, languageText(m_titles.at(i), language));
}

void CTabHost::setPageTitle(int position, int titleText) {
    if (position < 0 || position >= m_titles.size() || position >= count())
        return;
    m_titles[position] = titleText;
    setTabText(position, languageText(titleText, m_language));
}

int CTabHost::titleTextOf(int position) const {
    return position >= 0 && position < m_titles.size() ? m_titles.at(position) : 0;
}

} // namespace ks::gui
