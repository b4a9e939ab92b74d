#pragma once

#include <string>
#include <vector>

namespace ks {

class CProfileFile;

// The spreadsheet program an export hands its file to.
struct SpreadsheetProgram {
    std::string path;          // [Spreadsheet] "Path Spreadsheet"
    bool runnable = false;     // the path names a program this user may start
    bool macroCapable = false; // runnable and its path holds "Spreadsheet Name" (default
                               // "excel.exe"), in lower case
    bool isLibreOffice = false;
};

// The configuration's spreadsheet. The start-up placeholder "tartempionexcel.exe" (no program
// was found) is no program at all, however much it looks like the macro-capable one.
SpreadsheetProgram spreadsheetOf(const CProfileFile& configuration);

// A program and its arguments, started without a shell.
struct LaunchCommand {
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const LaunchCommand&) const = default;
};

// The command that opens an exported file. The macro-capable spreadsheet gets the text file,
// "/p" and the working folder, or with a macro "/p", the folder and the macro. LibreOffice is
// told the text file's import options (tab separated, UTF-8, the user's number language) so
// that it opens straight into a sheet; a workbook is handed over as it is.
LaunchCommand spreadsheetCommand(const SpreadsheetProgram& spreadsheet, const std::string& file,
                                 const std::string& workingFolder, const std::string& macro,
                                 const std::string& decimalSeparator);

// LibreOffice's text import options for a tab-separated UTF-8 file with a title line.
std::string libreOfficeTextFilter(const std::string& decimalSeparator);

} // namespace ks
