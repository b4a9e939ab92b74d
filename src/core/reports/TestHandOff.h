#pragma once

#include "measurement/SpreadsheetHandOver.h"
#include "reports/TestReport.h"

#include <string>

// What follows a written test report: the transfer file a test macro reads, and the command
// that hands the report to the spreadsheet program.
namespace ks {

inline constexpr const char* kTestTransferFileName = "KSNTRANSFERT.$DAT";

// The report's path with its extension replaced by "xls" (the workbook the macro makes).
std::string testWorkbookPath(const std::string& reportPath);

// The transfer file's three lines: TYPE "TEST", F_IN the report, F_OUT its workbook.
std::string testTransferContent(const std::string& reportPath);

// Writes KSNTRANSFERT.$DAT into the report's folder, replaced as a whole.
FileOutcome writeTestTransferFile(const std::string& folder, const std::string& reportPath);

// The command that opens the report: the macro-capable spreadsheet gets the report, "/p" and
// the report folder, or with a macro "/p", the folder and the macro (the report is then found
// through the transfer file); another spreadsheet gets the report alone (LibreOffice with the
// text import options). Never a shell command line.
LaunchCommand testSpreadsheetCommand(const SpreadsheetProgram& spreadsheet,
                                     const std::string& reportPath, const std::string& folder,
                                     const std::string& macro, const std::string& decimalSeparator);

// Before the macro-capable spreadsheet runs, an older workbook of the report's name is removed
// so that it cannot be taken for the new one. 0, or -1 with errno when it stays.
int removeOlderTestWorkbook(const std::string& reportPath);

} // namespace ks
