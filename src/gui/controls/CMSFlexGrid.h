#pragma once

#include <QString>
#include <vector>

class QTableWidget;

namespace ks {

// The text grid of the comparison, echo and ESC tables, over a QTableWidget the dialog places.
// Only these operations are offered; cells are addressed by the linear index
// column + column count * row, and row 0 holds the column headings.
class CMSFlexGrid {
public:
    // Alignment code that centres a column both ways.
    static constexpr short kAlignCentre = 4;

    // The table stays owned by its dialog; the grid hides the table's own headers.
    explicit CMSFlexGrid(QTableWidget* table);

    QTableWidget* table() const { return m_table; }

    int GetRows() const;
    // Negative counts are ignored.
    void SetRows(int rows);
    int GetCols() const;
    // 0: no border; any other value: a framed grid.
    void SetBorderStyle(int style);
    // 0: flat; any other value: sunken.
    void SetAppearance(int appearance);
    // Empty for an index outside the grid.
    QString GetTextArray(int index) const;
    // Nothing is written for an index outside the grid.
    void SetTextArray(int index, const QString& text);
    // Codes 0..8 pick horizontal (left, centre, right: code / 3) and vertical (top, centre,
    // bottom: code % 3) placement; other codes align left and vertically centred. It applies to
    // the column's cells written before and after.
    void SetColAlignment(int column, short code);

    // 0 when the cell exists and was written, -1 (nothing written) otherwise.
    int SetCell(int column, int row, const QString& text);
    // The text at index column + column count * row.
    QString GetCell(int column, int row) const;

private:
    Qt::Alignment alignmentOf(int column) const;

    QTableWidget* m_table;
    std::vector<Qt::Alignment> m_alignments;
};

} // namespace ks
