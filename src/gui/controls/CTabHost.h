#pragma once

#include <QTabWidget>
#include <QVector>

namespace ks::gui {

// The tab control that hosts the pages of a sheet. Each page is titled by a text of the text
// table in the sheet's language; only the current page is visible.
class CTabHost : public QTabWidget {
    Q_OBJECT
public:
    explicit CTabHost(QWidget* parent = nullptr);

    // Adds a page titled by text number `titleText`; returns its position.
    int addPage(QWidget* page, int titleText);
    int language() const { return m_language; }
    // Titles every page in that language.
    void setLanguage(int language);
    int titleTextOf(int position) const;
    // Another title for the page at that position (kept through language changes).
    void setPageTitle(int position, int titleText);

private:
    QVector<int> m_titles;
    int m_language = 1;
};

} // namespace ks::gui
