#include "reports/TestReportFiles.h"

#include "app/ProfileFile.h"
#include "reports/TestHandOff.h"
#include "reports/TestWorkbook.h"

namespace ks {

TestReportRequest TestReportRequest::fromConfiguration(const CProfileFile& cfg,
                                                       const std::string& workingFolder) {
    TestReportRequest r;
    r.folder = cfg.readPath(profile::kPathTest);
    if (r.folder.empty())
        r.folder = workingFolder;
    r.macro = cfg.readPath(profile::kPathMacroTest);
    r.spreadsheet = spreadsheetOf(cfg);
    r.workbook = cfg.readNumber(kTestReportKind) == 1;
    return r;
}

TestReportResult writeTestReportFiles(const TestReportRequest& rq, const TestReportData& data) {
    TestReportResult r;
    FileOutcome report;
    if (rq.workbook)
        report = writeTestWorkbook(
            joinPath(rq.folder, testWorkbookNameOf(testReportFileName(data, rq.written))), data);
    else
        report = writeTestReport(rq.folder, data, rq.written, rq.decimalSeparator);
    r.path = report.path;
    if (report.status != 0) {
        r.status = -1;
        r.message = fileErrorMessage(report, rq.language);
        return r;
    }
    if (!rq.macro.empty()) {
        const FileOutcome transfer = writeTestTransferFile(rq.folder, r.path);
        if (transfer.status != 0) {
            // The report stands; the macro would not find it, so nothing is started.
            r.status = -1;
            r.message = fileErrorMessage(transfer, rq.language);
            return r;
        }
        r.transferFile = transfer.path;
    }
    if (rq.spreadsheet.runnable) {
        if (rq.spreadsheet.macroCapable)
            removeOlderTestWorkbook(r.path);
        r.launch = testSpreadsheetCommand(rq.spreadsheet, r.path, rq.folder, rq.macro,
                                          rq.decimalSeparator);
    }
    return r;
}

} // namespace ks
