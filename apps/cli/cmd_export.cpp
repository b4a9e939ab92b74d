// export FILE.mes OUT.prn|OUT.xlsx [--lang L] [--summary]: writes a recording as the
// measurement dialog's export does: a tab-separated text file, or a workbook for a .xlsx name.
// --summary prints what the report computes (samples, duration, mean flow, C.V., volume).
#include "CliArgs.h"
#include "CliCommand.h"
#include "app/FlowApp.h"
#include "i18n/TextLimits.h"
#include "measurement/MeasureExport.h"
#include "measurement/MeasureOptions.h"
#include "measurement/RecordTexts.h"
#include "shell/DialogLanguage.h"

#include <ostream>

namespace ks::cli {

namespace {

constexpr const char* kUsage =
    "usage: export FILE.mes OUT.prn|OUT.xlsx [--lang L] [--summary]\n"
    "  OUT.xlsx     a workbook (data, summary and flow chart); any other name: tab-separated\n"
    "               text with the locale's decimal separator\n"
    "  --lang L     language of the titles, 1 French .. 5 Spanish\n"
    "  --summary    print the summary of the recording\n";

int runExport(CliContext& ctx) {
    std::vector<std::string> files;
    int language = 0;
    bool summary = false;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        long long n = 0;
        if (ctx.args[i] == "--summary") {
            summary = true;
        } else if (ctx.args[i] == "--lang" && i + 1 < ctx.args.size() &&
                   parseInRange(ctx.args[i + 1], 1, kTextLanguageCount, n)) {
            language = static_cast<int>(n);
            ++i;
        } else if (!ctx.args[i].empty() && ctx.args[i][0] != '-') {
            files.push_back(ctx.args[i]);
        } else {
            *ctx.err << kUsage;
            return 2;
        }
    }
    if (files.size() != 2) {
        *ctx.err << kUsage;
        return 2;
    }
    const CProfileFile configuration = ctx.app->configuration();
    ExportRequest request;
    request.recording = files[0];
    request.output = files[1];
    request.kind = exportKindOfPath(request.output);
    request.language = language != 0 ? language : dialogLanguage(configuration);
    request.regional = RegionalSettings::fromProcessLocale();
    request.decimalSeparator = decimalSeparatorOfEnvironment();
    request.applicationSetting = MeasureOptions::read(configuration).application;
    const ExportResult r = exportRecording(request);
    if (r.status != 0) {
        *ctx.err << r.message << "\n";
        return 1;
    }
    *ctx.out << r.samples << " samples written to " << request.output << "\n";
    if (summary)
        *ctx.out << r.summary.text(request.language);
    return 0;
}

const CliCommandRegistration reg{
    "export", "export FILE.mes OUT.prn|OUT.xlsx [--lang L] [--summary]", &runExport};

} // namespace
} // namespace ks::cli
