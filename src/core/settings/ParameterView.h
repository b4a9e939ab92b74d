#pragma once

#include "settings/ParameterSet.h"
#include "settings/SettingsSheet.h"

#include <vector>

namespace ks {

// What a parameter dialog shows, as the settings sheet's view does: the sheet page by page,
// any other dialog as one page under its caption, in titled groups of visible lines. A row
// without a label of its own (the year and number of a serial number) continues the line
// before it, joined by "/".
std::vector<SheetViewPage> parameterView(CParameterSet& dialog);

} // namespace ks
