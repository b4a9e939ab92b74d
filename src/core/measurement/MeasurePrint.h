#pragma once

#include "framework/FieldList.h"
#include "framework/PrintLines.h"

#include <vector>

namespace ks {

// The measurement dialog's printout: its shown groups and lines in registration order. A line
// break of the layout becomes one rule (never two in a row, none at the start or end); print
// positions only place columns on the original sheet and are left out; the lines without a
// caption (meter clock, fault line, probe name, status lines) print their value alone.
std::vector<PrintLine> measurePrintLines(const CFieldList& fields);

} // namespace ks
