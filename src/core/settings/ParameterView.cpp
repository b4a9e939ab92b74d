#include "settings/ParameterView.h"

#include "i18n/TextTable.h"
#include "settings/SheetParameters.h"

namespace ks {

std::vector<SheetViewPage> parameterView(CParameterSet& dialog) {
    if (auto* sheet = dynamic_cast<CSheetParameters*>(&dialog))
        return sheetView(sheet->sheet());
    const CFieldList& fields = dialog.fields();
    CTextTable texts;
    SheetViewPage page{texts.text(dialog.captionText(), fields.language()), {}};
    bool groupShown = true;
    bool lastShown = false;
    for (const CField& f : fields) {
        if (f.isGroupBox()) {
            groupShown = f.isShown();
            if (groupShown)
                page.groups.push_back({f.label(), {}});
            lastShown = false;
            continue;
        }
        if ((f.kind() & FieldKind::kValueControls) == 0 || !f.isShown() || f.isValueOnly() ||
            !groupShown) {
            lastShown = false;
            continue;
        }
        if (!f.hasLabel()) {
            if (lastShown)
                page.groups.back().lines.back().value += "/" + f.shownText();
            continue;
        }
        if (page.groups.empty())
            page.groups.push_back({});
        page.groups.back().lines.push_back({fieldKey(f), f.label(), f.shownText(), f.unit()});
        lastShown = true;
    }
    return {page};
}

} // namespace ks
