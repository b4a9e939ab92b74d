#pragma once

#include "framework/FieldList.h"

#include <optional>
#include <string>
#include <vector>

namespace ks {

// One differing field: its caption, the reference's value, the value on screen, its unit.
struct DifferenceRow {
    std::string label;
    std::string reference;
    std::string current;
    std::string unit;

    bool operator==(const DifferenceRow&) const = default;
};

// The text a field is compared by: empty for a hidden or value-only field (it is not on
// screen), the entry text of a list, the value of any other field.
std::string comparisonText(const CField& field);

// The fields whose texts differ between the values on screen and the reference, in field
// order. Both lists come from the same dialog; lists of different lengths cannot be compared
// (nullopt). Neither list is changed: hidden values stay intact for a later transfer or save.
std::optional<std::vector<DifferenceRow>> compareFieldLists(const CFieldList& current,
                                                            const CFieldList& reference);

// The difference dialog's texts in a language.
struct DifferenceReport {
    std::string caption;              // "Différences"
    std::string referenceLine;        // "Paramètres références" and the reference file
    std::string currentLine;          // "Paramètres actuels" and the source
    std::vector<std::string> columns; // "Paramètre", "Référence", "Actuel", "Unité"
    std::vector<DifferenceRow> rows;
    std::string unitNumberLine; // footer lines of the printed copy
    std::string signatureLine;
};

// currentSource: the file the values on screen came from, empty when read from the meter
// ("Liaison Série").
DifferenceReport differenceReport(std::vector<DifferenceRow> rows, const std::string& referenceFile,
                                  const std::string& currentSource, int language);

} // namespace ks
