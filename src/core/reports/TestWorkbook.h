#pragma once

#include "reports/TestReport.h"

#include <string>

namespace ks {

// The test report as an .xlsx workbook: one sheet with the identity, the output points and
// per channel its polarity, margin, mode and the two echo tables, the numbers as numbers.
// Written beside the path and renamed, as the text report. 0, or -1 with errno in outcome.
FileOutcome writeTestWorkbook(const std::string& path, const TestReportData& data);

// The workbook's name for a text report's name: ".prn" becomes ".xlsx".
std::string testWorkbookNameOf(const std::string& reportName);

} // namespace ks
