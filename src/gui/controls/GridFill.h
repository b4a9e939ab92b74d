#pragma once

#include <QString>
#include <vector>

namespace ks {

class CMSFlexGrid;

// Fills a table the way every dialog does: flat, borderless, columns centred, the headings in
// row 0, each data row appended by growing the row count, and the spare row dropped at the end.
// The grid first goes back to a heading row and one empty row, so a grid that is filled again,
// or that starts with another row count, ends with exactly the headings and the given rows.
// Cells beyond the grid's columns are left out.
void fillGrid(CMSFlexGrid& grid, const std::vector<QString>& headings,
              const std::vector<std::vector<QString>>& rows);

} // namespace ks
