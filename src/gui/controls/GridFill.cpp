#include "controls/GridFill.h"

#include "controls/CMSFlexGrid.h"

namespace ks {

void fillGrid(CMSFlexGrid& grid, const std::vector<QString>& headings,
              const std::vector<std::vector<QString>>& rows) {
    grid.SetRows(1);
    grid.SetRows(2);
    grid.SetAppearance(0);
    grid.SetBorderStyle(0);
    for (int column = 0; column < grid.GetCols(); ++column)
        grid.SetColAlignment(column, CMSFlexGrid::kAlignCentre);
    for (std::size_t column = 0; column < headings.size(); ++column)
        grid.SetCell(static_cast<int>(column), 0, headings[column]);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        grid.SetRows(grid.GetRows() + 1);
        for (std::size_t column = 0; column < rows[i].size(); ++column)
            grid.SetCell(static_cast<int>(column), static_cast<int>(i) + 1, rows[i][column]);
    }
    grid.SetRows(grid.GetRows() - 1);
}

} // namespace ks
