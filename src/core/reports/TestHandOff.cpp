#include "reports/TestHandOff.h"

#include "app/FileAccess.h"

#include <cerrno>
#include <cstdio>

namespace ks {

std::string testWorkbookPath(const std::string& reportPath) {
    const std::size_t slash = reportPath.rfind('/');
    const std::size_t dot = reportPath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return reportPath + ".xls";
    return reportPath.substr(0, dot + 1) + "xls";
}

std::string testTransferContent(const std::string& reportPath) {
    return "TYPE\tTEST\nF_IN\t" + reportPath + "\nF_OUT\t" + testWorkbookPath(reportPath) + "\n";
}

FileOutcome writeTestTransferFile(const std::string& folder, const std::string& reportPath) {
    FileOutcome o;
    o.path = joinPath(folder, kTestTransferFileName);
    errno = 0;
    if (replaceFileContents(o.path, testTransferContent(reportPath)) != 0) {
        o.status = -1;
        o.error = errno != 0 ? errno : EIO;
    }
    return o;
}

LaunchCommand testSpreadsheetCommand(const SpreadsheetProgram& spreadsheet,
                                     const std::string& reportPath, const std::string& folder,
                                     const std::string& macro,
                                     const std::string& decimalSeparator) {
    return spreadsheetCommand(spreadsheet, reportPath, folder, macro, decimalSeparator);
}

int removeOlderTestWorkbook(const std::string& reportPath) {
    const std::string workbook = testWorkbookPath(reportPath);
    if (std::remove(workbook.c_str()) == 0 || errno == ENOENT)
        return 0;
    return -1;
}

} // namespace ks
