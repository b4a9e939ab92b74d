#pragma once

#include "framework/FieldList.h"
#include "framework/FieldListBlocks.h"
#include "settings/BlockExchange.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsRules.h"

#include <memory>
#include <string>
#include <vector>

namespace ks {

// The settings sheet without its window: the field list (identification, the sheet's own
// rows, factory and special settings carried unshown), its pages, its refresh rules and its
// block coding. The desktop sheet, the command line and the tests all work on this.
class CSettingsSheet {
public:
    explicit CSettingsSheet(SheetContext context = {}, int language = 1);
    // The sheet on a dialog's field list that holds the identification block already: the
    // sheet's rows are registered after it, and the sheet works on that list.
    CSettingsSheet(CFieldList& dialogFields, SheetContext context, int language);
    CSettingsSheet(const CSettingsSheet&) = delete;
    CSettingsSheet& operator=(const CSettingsSheet&) = delete;

    CFieldList& fields() { return m_fields; }
    const CFieldList& fields() const { return m_fields; }
    const std::vector<SheetPage>& pages() const { return m_pages; }
    CSettingsRules& rules() { return m_rules; }
    const CSettingsRules& rules() const { return m_rules; }
    CFieldListBlocks& blocks() { return m_blocks; }
    const CFieldListBlocks& blocks() const { return m_blocks; }
    int mode() const { return m_rules.context().mode; }
    void setMode(int mode) { m_rules.context().mode = mode; }

    void setLanguage(int language);
    void refresh() { m_rules.refresh(); }

    // Reads the blocks of the read order and refreshes: 0, or the first failing read's result
    // (the fields of the blocks read before it keep their new values).
    int readFromMeter(CBlockExchange& meter);
    // The meter's identification (serial number, firmware) as a settings file names it, from
    // the special settings and the measurement block the sheet reads.
    void syncIdentification();
    // Every field back to its default, as a new sheet opens (mode 2).
    void loadDefaults();

private:
    std::unique_ptr<CFieldList> m_own; // the list, unless the sheet works on a dialog's
    CFieldList& m_fields;
    std::vector<SheetPage> m_pages;
    CSettingsRules m_rules;
    CFieldListBlocks m_blocks;
};

// The key of a field of a block: block code in hexadecimal, ":", byte offset in decimal
// ("1100:4"), with ".n" for a bit n of a byte ("4000:14.2"). Empty for a field in no block.
std::string fieldKey(const CField& field);
// The field a key names, nullptr when none.
CField* findByKey(CFieldList& fields, const std::string& key);

// Sets a field from a text typed by the user: a list takes an entry text or its index, a
// number must lie within the field's limits, a text must fit its length. 0, or -1 with the
// reason in `error` (the limits shown), the field unchanged.
int setFieldFromText(CField& field, const std::string& text, std::string& error);

// What the sheet shows, page by page: titled groups of visible lines.
struct SheetLine {
    std::string key;
    std::string label;
    std::string value;
    std::string unit;
};
struct SheetGroup {
    std::string title;
    std::vector<SheetLine> lines;
};
struct SheetViewPage {
    std::string title;
    std::vector<SheetGroup> groups;
};
std::vector<SheetViewPage> sheetView(const CSettingsSheet& sheet);

} // namespace ks
