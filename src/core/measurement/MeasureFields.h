#pragma once

#include "framework/FieldList.h"

namespace ks {

// The fields of the measurement dialog, registered in print order: the measurement block
// (0x0010), the layout entries of the printout between them, the groups and computed lines,
// the flow full scale of the main settings block and the totaliser command. Fields the
// dialog never shows (flags, indexes, full-precision copies) are value-only.
//
// Layout entries: a print position is a kSeparator row whose value is the column ("70"), a
// line break a kSeparator2 row with the value "1".
void registerMeasureFields(CFieldList& fields);

// The borrowed groups the start-up reads once: special settings (0x4000), OEM name (0x122F)
// and factory settings (0x2200), value-only. They span the same bytes as the settings pages
// that own these blocks, so the read ranges come out as those pages read them.
void registerBorrowedFields(CFieldList& fields);

} // namespace ks
