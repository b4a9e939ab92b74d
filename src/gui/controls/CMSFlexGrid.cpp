#include "controls/CMSFlexGrid.h"

#include <QFrame>
#include <QHeaderView>
#include <QTableWidget>

namespace ks {

namespace {

constexpr Qt::Alignment kGeneralAlignment = Qt::AlignLeft | Qt::AlignVCenter;

Qt::Alignment toQtAlignment(short code) {
    if (code < 0 || code > 8)
        return kGeneralAlignment;
    static constexpr Qt::AlignmentFlag kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                        Qt::AlignRight};
    static constexpr Qt::AlignmentFlag kVertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                      Qt::AlignBottom};
    return kHorizontal[code / 3] | kVertical[code % 3];
}

} // namespace

CMSFlexGrid::CMSFlexGrid(QTableWidget* table) : m_table(table) {
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int CMSFlexGrid::GetRows() const {
    return m_table->rowCount();
}

void CMSFlexGrid::SetRows(int rows) {
    if (rows >= 0)
        m_table->setRowCount(rows);
}

int CMSFlexGrid::GetCols() const {
    return m_table->columnCount();
}

void CMSFlexGrid::SetBorderStyle(int style) {
    m_table->setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::Box);
}

void CMSFlexGrid::SetAppearance(int appearance) {
    m_table->setFrameShadow(appearance == 0 ? QFrame::Plain : QFrame::Sunken);
}

QString CMSFlexGrid::GetTextArray(int index) const {
    const int cols = GetCols();
    if (index < 0 || cols <= 0 || index / cols >= GetRows())
        return {};
    const QTableWidgetItem* item = m_table->item(index / cols, index % cols);
    return item ? item->text() : QString();
}

void CMSFlexGrid::SetTextArray(int index, const QString& text) {
    const int cols = GetCols();
    if (index < 0 || cols <= 0 || index / cols >= GetRows())
        return;
    const int row = index / cols;
    const int column = index % cols;
    QTableWidgetItem* item = m_table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        m_table->setItem(row, column, item);
    }
    item->setText(text);
    item->setTextAlignment(alignmentOf(column));
    if (row == 0) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
}

void CMSFlexGrid::SetColAlignment(int column, short code) {
    if (column < 0 || column >= GetCols())
        return;
    if (m_alignments.size() <= static_cast<std::size_t>(column))
        m_alignments.resize(static_cast<std::size_t>(column) + 1, kGeneralAlignment);
    m_alignments[static_cast<std::size_t>(column)] = toQtAlignment(code);
    for (int row = 0; row < GetRows(); ++row)
        if (QTableWidgetItem* item = m_table->item(row, column))
            item->setTextAlignment(alignmentOf(column));
}

int CMSFlexGrid::SetCell(int column, int row, const QString& text) {
    const int cols = GetCols();
    if (column < 0 || row < 0 || column >= cols || row >= GetRows())
        return -1;
    SetTextArray(column + cols * row, text);
    return 0;
}

QString CMSFlexGrid::GetCell(int column, int row) const {
    return GetTextArray(column + GetCols() * row);
}

Qt::Alignment CMSFlexGrid::alignmentOf(int column) const {
    return static_cast<std::size_t>(column) < m_alignments.size()
               ? m_alignments[static_cast<std::size_t>(column)]
               : kGeneralAlignment;
}

} // namespace ks
