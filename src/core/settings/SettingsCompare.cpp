#include "settings/SettingsCompare.h"

#include "i18n/TextTable.h"
#include "settings/SettingsTexts.h"

namespace ks {

namespace tx = settings::text;

std::string comparisonText(const CField& field) {
    if (field.isHidden() || field.isExcluded() || field.isValueOnly())
        return {};
    std::string t = field.shownText();
    // A meter ends a short text with zeros, a file with blanks: the same text.
    if (!field.isList())
        while (!t.empty() && t.back() == ' ')
            t.pop_back();
    return t;
}

std::optional<std::vector<DifferenceRow>> compareFieldLists(const CFieldList& current,
                                                            const CFieldList& reference) {
    if (current.size() != reference.size())
        return std::nullopt;
    std::vector<DifferenceRow> rows;
    for (std::size_t i = 0; i < current.size(); ++i) {
        const CField& now = current[i];
        const std::string mine = comparisonText(now);
        const std::string theirs = comparisonText(reference[i]);
        if (mine != theirs)
            rows.push_back({now.label(), theirs, mine, now.unit()});
    }
    return rows;
}

DifferenceReport differenceReport(std::vector<DifferenceRow> rows, const std::string& referenceFile,
                                  const std::string& currentSource, int language) {
    CTextTable t;
    DifferenceReport r;
    r.caption = t.text(tx::kDifferences, language);
    r.referenceLine = t.text(tx::kReferenceSettings, language) + " " + referenceFile;
    r.currentLine = t.text(tx::kCurrentSettings, language) + " " +
                    (currentSource.empty() ? t.text(tx::kSerialLink, language) : currentSource);
    r.columns = {t.text(tx::kParameter, language), t.text(tx::kReference, language),
                 t.text(tx::kCurrent, language), t.text(tx::kUnit, language)};
    r.rows = std::move(rows);
    r.unitNumberLine = t.text(tx::kUnitNumberLine, language);
    r.signatureLine = t.text(tx::kSignatureLine, language);
    return r;
}

} // namespace ks
