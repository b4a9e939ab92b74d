#pragma once

#include "app/ProfileKeys.h"
#include "measurement/SpreadsheetHandOver.h"
#include "reports/TestReport.h"

#include <optional>
#include <string>

namespace ks {

class CProfileFile;

// [Com] "Test Report Kind": 0 the tab-separated text report, 1 an .xlsx workbook.
inline constexpr profile::Setting kTestReportKind = profile::number("Com", "Test Report Kind", 0);

// Where and how a finished test is reported.
struct TestReportRequest {
    std::string folder;             // [Com] "Path Test"
    std::string macro;              // [Com] "Path Macro Test"; empty: none
    SpreadsheetProgram spreadsheet; // nothing is started unless it is runnable
    bool workbook = false;
    std::string decimalSeparator = ".";
    int language = 1;
    CalendarTime written;

    // The request the configuration makes; an empty "Path Test" means the working folder.
    static TestReportRequest fromConfiguration(const CProfileFile& configuration,
                                               const std::string& workingFolder);
};

struct TestReportResult {
    int status = 0;                      // 0, or -1 with the message
    std::string path;                    // the report written
    std::string message;                 // "Impossible d'ouvrir le fichier : ..." in the language
    std::string transferFile;            // written when a macro is set
    std::optional<LaunchCommand> launch; // the spreadsheet to start, when there is one
};

// Writes the report (and with a macro the transfer file) and says what to start. A report
// that cannot be written leaves no file and starts nothing.
TestReportResult writeTestReportFiles(const TestReportRequest& request, const TestReportData& data);

} // namespace ks
