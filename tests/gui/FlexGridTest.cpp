#include "controls/CMSFlexGrid.h"
#include "controls/GridFill.h"

#include <QTableWidget>
#include <QtTest>

using namespace ks;

namespace {

int itemCount(const QTableWidget& t) {
    int n = 0;
    for (int r = 0; r < t.rowCount(); ++r)
        for (int c = 0; c < t.columnCount(); ++c)
            if (t.item(r, c))
                ++n;
    return n;
}

QString text(const QTableWidget& t, int row, int column) {
    const QTableWidgetItem* item = t.item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class FlexGridTest : public QObject {
    Q_OBJECT

private slots:
    void cellsAreAddressedByLinearIndex() {
        QTableWidget table(3, 4);
        CMSFlexGrid grid(&table);
        QCOMPARE(grid.GetRows(), 3);
        QCOMPARE(grid.GetCols(), 4);

        QCOMPARE(grid.SetCell(1, 2, "x"), 0);
        QCOMPARE(text(table, 2, 1), QString("x"));
        QCOMPARE(grid.GetTextArray(1 + 4 * 2), QString("x"));
        QCOMPARE(grid.GetCell(1, 2), QString("x"));

        grid.SetTextArray(4 * 1 + 3, "y");
        QCOMPARE(text(table, 1, 3), QString("y"));
        // The index rule: column 4 of row 0 is column 0 of row 1.
        grid.SetTextArray(4, "wrapped");
        QCOMPARE(grid.GetCell(4, 0), QString("wrapped"));

        // Cells outside the grid are refused and nothing is written.
        const int before = itemCount(table);
        const struct { int column, row; } outside[] = {{4, 0}, {0, 3}, {-1, 0}, {0, -1}, {4, 2}};
        for (const auto& k : outside)
            QCOMPARE(grid.SetCell(k.column, k.row, "no"), -1);
        grid.SetTextArray(12, "no");
        grid.SetTextArray(-1, "no");
        QCOMPARE(itemCount(table), before);
        QCOMPARE(grid.GetTextArray(12), QString());
        QCOMPARE(grid.GetTextArray(-3), QString());
    }

    void rowCountBorderAndAppearance() {
        QTableWidget table(2, 4);
        CMSFlexGrid grid(&table);
        grid.SetRows(5);
        QCOMPARE(table.rowCount(), 5);
        grid.SetRows(-1);
        QCOMPARE(grid.GetRows(), 5);
        QCOMPARE(grid.SetCell(0, 4, "last"), 0);

        grid.SetBorderStyle(1);
        grid.SetAppearance(1);
        QCOMPARE(table.frameShape(), QFrame::Box);
        QCOMPARE(table.frameShadow(), QFrame::Sunken);
        grid.SetBorderStyle(0);
        grid.SetAppearance(0);
        QCOMPARE(table.frameShape(), QFrame::NoFrame);
        QCOMPARE(table.frameShadow(), QFrame::Plain);
    }

    void columnAlignmentAppliesBeforeAndAfter() {
        QTableWidget table(2, 3);
        CMSFlexGrid grid(&table);
        grid.SetCell(0, 1, "before");
        grid.SetColAlignment(0, CMSFlexGrid::kAlignCentre);
        grid.SetCell(0, 0, "after");
        grid.SetColAlignment(1, 0);
        grid.SetCell(1, 1, "top-left");
        grid.SetColAlignment(2, 8);
        grid.SetCell(2, 1, "bottom-right");
        grid.SetColAlignment(7, 4); // no such column: ignored
        const auto align = [&](int row, int column) {
            return Qt::Alignment(table.item(row, column)->textAlignment());
        };
        QCOMPARE(align(1, 0), Qt::AlignCenter);
        QCOMPARE(align(0, 0), Qt::AlignCenter);
        QCOMPARE(align(1, 1), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(align(1, 2), Qt::AlignRight | Qt::AlignBottom);
    }

    void fillPatternLeavesHeadingsAndRows() {
        QTableWidget table(2, 4);
        CMSFlexGrid grid(&table);
        grid.SetBorderStyle(1);
        grid.SetAppearance(1);
        const std::vector<QString> headings{"Paramètre", "Actuel", "Référence", "Unité"};
        fillGrid(grid, headings,
                 {{"Q Max", "100", "120", "m3/h"},
                  {"Kh1", "1.000", "1.010", ""},
                  {"Seuil", "5", "5", "%", "extra"}});
        QCOMPARE(grid.GetRows(), 4);
        for (int c = 0; c < 4; ++c)
            QCOMPARE(grid.GetCell(c, 0), headings[static_cast<std::size_t>(c)]);
        QCOMPARE(grid.GetCell(0, 1), QString("Q Max"));
        QCOMPARE(grid.GetCell(2, 2), QString("1.010"));
        QCOMPARE(grid.GetCell(3, 3), QString("%"));
        QCOMPARE(Qt::Alignment(table.item(2, 1)->textAlignment()), Qt::AlignCenter);
        QCOMPARE(table.frameShape(), QFrame::NoFrame);
        QCOMPARE(table.frameShadow(), QFrame::Plain);

        // Filling again replaces the rows; no data row is lost whatever the row count was.
        fillGrid(grid, headings, {{"V Max", "3", "3", "m/s"}});
        QCOMPARE(grid.GetRows(), 2);
        QCOMPARE(grid.GetCell(0, 1), QString("V Max"));
        QCOMPARE(grid.GetCell(1, 1), QString("3"));
        fillGrid(grid, headings, {});
        QCOMPARE(grid.GetRows(), 1);
        QCOMPARE(grid.GetCell(0, 0), QString("Paramètre"));

        QTableWidget single(1, 4);
        CMSFlexGrid fromOne(&single);
        fillGrid(fromOne, headings, {{"a", "b", "c", "d"}, {"e", "f", "g", "h"}});
        QCOMPARE(fromOne.GetRows(), 3);
        QCOMPARE(fromOne.GetCell(3, 2), QString("h"));
        QCOMPARE(fromOne.GetCell(0, 1), QString("a"));
        QCOMPARE(text(single, 1, 2), QString("c"));
    }
};

QTEST_MAIN(FlexGridTest)
#include "FlexGridTest.moc"
