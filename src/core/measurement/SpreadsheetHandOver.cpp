#include "measurement/SpreadsheetHandOver.h"

#include "app/FileAccess.h"
#include "app/ProfileFile.h"
#include "app/ProfileKeys.h"
#include "app/SpreadsheetLookup.h"
#include "measurement/MeasureExport.h"

#include <filesystem>

namespace ks {

namespace {
std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return s;
}
} // namespace

SpreadsheetProgram spreadsheetOf(const CProfileFile& cfg) {
    SpreadsheetProgram s;
    s.path = cfg.readString(profile::kPathSpreadsheet);
    if (s.path.empty() || asksForSpreadsheetLookup(s.path))
        return s;
    s.runnable = isExecutableRegularFile(s.path);
    const std::string name = lower(cfg.readString("Spreadsheet", "Spreadsheet Name", "excel.exe"));
    s.macroCapable = s.runnable && !name.empty() && lower(s.path).find(name) != std::string::npos;
    const std::string base = lower(std::filesystem::path(s.path).filename().string());
    s.isLibreOffice = base == "localc" || base == "libreoffice" || base == "soffice" ||
                      base.rfind("libreoffice", 0) == 0;
    return s;
}

std::string libreOfficeTextFilter(const std::string& decimalSeparator) {
    // Tab, double quotes around texts, UTF-8, from line 1; the numbers' language decides which
    // decimal separator the cells understand (French for a comma, English otherwise).
    return std::string("Text - txt - csv (StarCalc):9,34,76,1,,") +
           (decimalSeparator == "," ? "1036" : "1033");
}

LaunchCommand spreadsheetCommand(const SpreadsheetProgram& s, const std::string& file,
                                 const std::string& workingFolder, const std::string& macro,
                                 const std::string& decimalSeparator) {
    LaunchCommand c;
    c.program = s.path;
    if (s.macroCapable) {
        if (macro.empty())
            c.arguments = {file, "/p", workingFolder};
        else
            c.arguments = {"/p", workingFolder, macro};
        return c;
    }
    if (s.isLibreOffice && exportKindOfPath(file) == ExportKind::Text)
        c.arguments.push_back("--infilter=" + libreOfficeTextFilter(decimalSeparator));
    c.arguments.push_back(file);
    return c;
}

} // namespace ks
