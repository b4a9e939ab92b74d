// test [--out DIR] [--xlsx] [--mode1 N] [--mode2 N] [--lang L] [--poll MS] [--open]: the bench
// test of a meter as the test dialog runs it. Writes the test settings (the transmit/receive
// modes of the factory block), reads the measurements until chord 1's signal quality is 100 or
// 20 s have passed, reads the echo tables and writes the test report. Prints a one-line
// verdict and the report's path; exits 1 when the test failed, 130 after Ctrl+C.
#include "CliArgs.h"
#include "CliCommand.h"
#include "MeterCheck.h"
#include "app/FlowApp.h"
#include "framework/FieldListBlocks.h"
#include "i18n/TextLimits.h"
#include "link/JBusLink.h"
#include "link/ResultCodes.h"
#include "measurement/RecordTexts.h"
#include "reports/TestFields.h"
#include "reports/TestLoop.h"
#include "reports/TestReportFiles.h"
#include "settings/EchoTable.h"
#include "settings/KeptBlockImages.h"
#include "settings/LinkBlockExchange.h"
#include "settings/SettingsIds.h"
#include "shell/DialogLanguage.h"

#include <chrono>
#include <ostream>
#include <spawn.h>
#include <thread>

extern char** environ;

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

namespace {

constexpr const char* kUsage =
    "usage: test [--out DIR] [--xlsx] [--mode1 N] [--mode2 N] [--lang L] [--poll MS] [--open]\n"
    "  --out DIR    folder of the report (default: the configuration's \"Path Test\", else the\n"
    "               working folder)\n"
    "  --xlsx       write the report as an .xlsx workbook (default: the configuration's kind)\n"
    "  --mode1 N    transmit/receive mode of channel 1 for the test, 0..17 (default: the\n"
    "               meter's)\n"
    "  --mode2 N    the same for channel 2\n"
    "  --lang L     language of the report's lists and messages, 1 French .. 5 Spanish\n"
    "  --poll MS    pause between two measurement reads (default 500)\n"
    "  --open       hand the report to the configuration's spreadsheet program\n";

struct Options {
    std::string out;
    bool outGiven = false;
    bool xlsx = false;
    int mode[2] = {-1, -1};
    int language = 0;
    long long pollMs = 500;
    bool open = false;
};

bool parseOptions(const std::vector<std::string>& args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        long long n = 0;
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--out" && hasValue && !args[i + 1].empty()) {
            o.out = args[++i];
            o.outGiven = true;
        } else if (args[i] == "--xlsx") {
            o.xlsx = true;
        } else if (args[i] == "--open") {
            o.open = true;
        } else if ((args[i] == "--mode1" || args[i] == "--mode2") && hasValue &&
                   parseInRange(args[i + 1], 0, 17, n)) {
            o.mode[args[i] == "--mode1" ? 0 : 1] = static_cast<int>(n);
            ++i;
        } else if (args[i] == "--lang" && hasValue &&
                   parseInRange(args[i + 1], 1, kTextLanguageCount, n)) {
            o.language = static_cast<int>(n);
            ++i;
        } else if (args[i] == "--poll" && hasValue && parseInRange(args[i + 1], 0, 60000, n)) {
            o.pollMs = n;
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

// Waits between two reads in short slices, so Ctrl+C is not kept waiting.
void pause(CJBusLink& link, long long ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!link.cancelRequested() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<long long>(ms, 20)));
}

// Starts the spreadsheet program on its own, without a shell, and does not wait for it.
bool startDetached(const LaunchCommand& c) {
    std::vector<std::string> argv{c.program};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    std::vector<char*> raw;
    for (std::string& a : argv)
        raw.push_back(a.data());
    raw.push_back(nullptr);
    pid_t pid = 0;
    return ::posix_spawn(&pid, c.program.c_str(), nullptr, nullptr, raw.data(), environ) == 0;
}

int runTest(CliContext& ctx) {
    Options o;
    if (!parseOptions(ctx.args, o)) {
        *ctx.err << kUsage;
        return 2;
    }
    const CProfileFile configuration = ctx.app->configuration();
    const int language = o.language != 0 ? o.language : dialogLanguage(configuration);
    TestReportRequest request =
        TestReportRequest::fromConfiguration(configuration, ctx.app->workingFolder());
    if (o.outGiven)
        request.folder = o.out;
    request.workbook = request.workbook || o.xlsx;
    request.language = language;
    request.decimalSeparator = decimalSeparatorOfEnvironment();

    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    const int readMs = ctx.options.timeoutMs > 0 ? ctx.options.timeoutMs : 1000;
    const int writeMs = ctx.options.timeoutMs > 0 ? ctx.options.timeoutMs : 2500;
    link->setFirstByteTimeout(readMs);
    if (const int status = checkMeter(ctx, *link, language); status != 0)
        return status;

    CFieldList fields;
    fields.setLanguage(language);
    registerTestFields(fields);
    CFieldListBlocks blocks(fields, RegionalSettings::fromProcessLocale());
    CKeptBlockImages kept(blocks, {test::block::kEcho});
    CLinkBlockExchange meter(*link, kept, ctx.options.slave);
    meter.setTimeouts(readMs, writeMs);
    int lastCode = 0;
    meter.setFailureHandler([&](int, int code) { lastCode = code; });
    for (int block : testReadOrder()) {
        if (meter.readBlock(block) != 0) {
            const int status = reportFailure(ctx, lastCode != 0 ? lastCode : -1);
            *ctx.out << "test failed: the meter could not be read, no report\n";
            return status;
        }
    }

    static constexpr int kModes[2] = {settings::factory::kTxRxMode1, settings::factory::kTxRxMode2};
    for (int c = 0; c < 2; ++c)
        if (o.mode[c] >= 0)
            fields.find(kModes[c])->setListIndex(o.mode[c]);

    CTestLoop loop(meter, fields);
    loop.setPause([&] { pause(*link, o.pollMs); });
    loop.setCancel([&] { return link->cancelRequested(); });
    const CTestLoop::Result r = loop.run();
    const long long seconds = r.elapsedMs / 1000;
    switch (r.outcome) {
    case CTestLoop::Outcome::Cancelled:
        *ctx.out << "test cancelled, no report\n";
        return 130;
    case CTestLoop::Outcome::TransferFailed:
        reportFailure(ctx, lastCode != 0 ? lastCode : -1);
        *ctx.out << "test failed: the test settings could not be written, no report\n";
        return 1;
    case CTestLoop::Outcome::TooManyFailures:
        if (lastCode != 0)
            reportFailure(ctx, lastCode);
        *ctx.out << "test failed: " << r.failures << " failed reads, no report\n";
        return lastCode == LINK_CANCELLED ? 130 : 1;
    case CTestLoop::Outcome::Done:
        break;
    }

    request.written = CDateTime::now().fields();
    const TestReportResult written =
        writeTestReportFiles(request, testReportDataOf(blocks, kept.image(test::block::kEcho)));
    if (written.status != 0) {
        *ctx.err << written.message << "\n";
        *ctx.out << "test failed: the report could not be written\n";
        return 1;
    }
    if (r.qualityReached)
        *ctx.out << "test passed: signal quality 100 after " << seconds << " s\n";
    else
        *ctx.out << "test failed: signal quality " << r.lastQuality << " after " << seconds
                 << " s, below 100\n";
    *ctx.out << "report: " << written.path << "\n";
    if (!written.transferFile.empty())
        *ctx.out << "transfer file: " << written.transferFile << "\n";
    if (o.open) {
        if (!written.launch)
            *ctx.err << "no spreadsheet program to open the report with\n";
        else if (!startDetached(*written.launch))
            *ctx.err << "the spreadsheet program could not be started: " << written.launch->program
                     << "\n";
    }
    return r.qualityReached ? 0 : 1;
}

const CliCommandRegistration reg{
    "test", "test [--out DIR] [--xlsx] [--mode1 N] [--mode2 N] [--lang L] [--poll MS] [--open]",
    &runTest};

} // namespace
} // namespace ks::cli
