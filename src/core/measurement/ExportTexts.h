#pragma once

#include <string>

namespace ks {

// Texts of the export that the program's numbered text table does not have, in the same five
// languages (1 French .. 5 Spanish).
enum class ExportText {
    WorkbookKind,  // "Classeur": the file kind of the workbook output
    Samples,       // "Nombre d'échantillons"
    Duration,      // "Durée"
    DataSheet,     // name of the workbook's data sheet
    SummarySheet,  // name of its summary sheet
    Progress,      // "Export en cours : " followed by "n / N"
    SavedAt,       // "Fichier enregistré : " followed by the path
    NoSpreadsheet, // no spreadsheet program to open the file with
};

// The text in the language; French for a language outside 1 .. 5.
std::string exportText(ExportText text, int language);

} // namespace ks
