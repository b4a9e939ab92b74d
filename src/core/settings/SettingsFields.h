#pragma once

#include "framework/FieldList.h"

#include <cstddef>
#include <vector>

namespace ks {

// One page of the settings sheet: its tab title and the fields registered on it, as a range
// of positions in the field list.
struct SheetPage {
    int title = 0; // text number
    std::size_t first = 0;
    std::size_t end = 0; // one past the last
};

// Registers the settings of the main settings block and the rows of the other blocks the sheet
// shows or carries (identification flags, clock to set, totaliser command, special probes), page
// by page with their print headings and group boxes. Returns the four pages.
std::vector<SheetPage> registerSettingsFields(CFieldList& fields);

// The factory settings (block 0x2200) and the special settings (block 0x4000) as their own
// dialogs register them.
void registerFactoryFields(CFieldList& fields);
void registerSpecialFields(CFieldList& fields);

// The sheet's whole field list: the identification block, its own rows, then the factory and
// special settings, carried unshown so that one read, one file and one transfer cover all three.
std::vector<SheetPage> registerSheetFieldList(CFieldList& fields);
// The same after the identification block, on a list that holds it already (a device
// dialog's, where the framework registers it first).
std::vector<SheetPage> registerSheetRows(CFieldList& fields);

// The blocks the sheet reads, in order, and the blocks of its settings file, in order.
const std::vector<int>& sheetReadOrder();
const std::vector<int>& sheetFileOrder();

// The display format of a number with that many decimals: "%0.f", "%0.1f", ...
std::string decimalsFormat(int decimals);

} // namespace ks
