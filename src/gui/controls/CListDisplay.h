#pragma once

#include <QLabel>
#include <QStringList>

namespace ks::gui {

// A static text that shows one entry of a list, chosen by its index: the value control of a
// read-only display whose format ends in "l".
class CListDisplay : public QLabel {
    Q_OBJECT
public:
    explicit CListDisplay(QWidget* parent = nullptr);

    // A new list; the remembered index is shown again when the list still has it.
    void setList(const QStringList& entries);
    const QStringList& list() const { return m_entries; }

    // Shows entry `index` and remembers it: 0, or -1 (text and index unchanged) outside the list.
    int setIndex(int index);
    // The remembered index, -1 before the first good one.
    int index() const { return m_index; }

private:
    QStringList m_entries;
    int m_index = -1;
};

} // namespace ks::gui
