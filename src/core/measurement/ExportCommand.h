#pragma once

#include "measurement/SpreadsheetHandOver.h"

#include <string>
#include <string_view>

namespace ks {

class CProfileFile;

// The steps of the measurement dialog's export command that decide names and files, without
// the dialog: which spreadsheet takes the output, which file kinds the user may choose, what
// is proposed, where the text file and the transfer file go.

// The report macro the measurement export runs, and the transfer and temporary text files the
// macro-capable spreadsheet finds in the working folder.
inline constexpr std::string_view kMeasureMacroName = "Mesure";
inline constexpr std::string_view kTransferFileName = "KSNTransfert.$dat";
inline constexpr std::string_view kSpreadsheetTextFileName = "KSNPrnTemp.prn";
// Where an unset macro path points.
inline constexpr std::string_view kMacroPathDefault = "C:\\";

struct ExportPlan {
    SpreadsheetProgram spreadsheet;
    // The macro-capable spreadsheet runs the report macro: the output is its workbook (.xls),
    // the text file a temporary one in the working folder.
    bool spreadsheetMode = false;
    std::string macroKey;  // [Spreadsheet] key of the macro path
    std::string macroPath; // its stored value
};

// Reads the spreadsheet and the macro of an export; macroName empty: an export without a
// report macro.
ExportPlan planExport(const CProfileFile& configuration, std::string_view macroName);

// "Path Macro" and the macro name.
std::string macroKeyOf(std::string_view macroName);

// The filter of the output file dialog in the prompts' "Title (*.ext)" form, ";;" between
// kinds: the spreadsheet's workbook in spreadsheet mode, else the text file and the workbook
// this program writes itself.
std::string exportFileFilter(int language, bool spreadsheetMode);
// The extension the output gets when the user types none: "xls" or "prn".
std::string exportDefaultSuffix(bool spreadsheetMode);

// The name proposed for the output: the recording's file name without folder and extension.
std::string proposedExportName(const std::string& recording);
// The output of an export that asks nothing: the recording's path ending in "xls".
std::string directExportOutput(const std::string& recording);
// The folder of a file, with its trailing separator ("" for a bare name).
std::string folderOfFile(const std::string& path);
// The file the text export writes: the temporary text file of the working folder in
// spreadsheet mode, else the chosen output itself.
std::string exportTextFile(const std::string& output, bool spreadsheetMode,
                           const std::string& workingFolder);
// The transfer file of the working folder.
std::string transferFilePath(const std::string& workingFolder);

// Creates an empty file of that name and deletes it again, so that the report macro does
// not find an older workbook there. 0, or the errno of the failure.
int clearOldOutput(const std::string& path);

} // namespace ks
