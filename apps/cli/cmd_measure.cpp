// measure [--count N] [--lang L] [--json] [--period MS]: the measurement dialog in a terminal.
// The same acquisition as the dialog (identification and firmware check, then the polled
// start-up blocks and the measurement block); after each measurement block it prints what the
// dialog shows: the titles of the visible groups and the visible lines.
#include "CliArgs.h"
#include "CliCommand.h"
#include "FrameQueue.h"
#include "MeterCheck.h"
#include "app/FlowApp.h"
#include "app/Version.h"
#include "framework/FieldListBlocks.h"
#include "framework/FirmwareCheck.h"
#include "framework/Identification.h"
#include "i18n/RegionalSettings.h"
#include "i18n/TextLimits.h"
#include "i18n/TextTable.h"
#include "link/JBusLink.h"
#include "link/LinkTexts.h"
#include "link/ResultCodes.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureSession.h"
#include "measurement/MeasureView.h"
#include "measurement/ProbeNameTable.h"
#include "shell/DialogLanguage.h"

#include <chrono>
#include <ostream>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

namespace {

constexpr const char* kUsage =
    "usage: measure [--count N] [--lang L] [--json] [--period MS]\n"
    "  --count N    stop after N measurements (default: until interrupted)\n"
    "  --lang L     1 French, 2 English, 3 Portuguese, 4 German, 5 Spanish\n"
    "               (default: the configuration's language)\n"
    "  --json       one JSON object per measurement\n"
    "  --period MS  pause between two exchanges (default 500)\n";

struct Options {
    long long count = 0; // 0: until interrupted
    int language = 0;    // 0: the configuration's
    bool json = false;
    long long periodMs = 500;
};

bool parseOptions(const std::vector<std::string>& args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        long long n = 0;
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--json") {
            o.json = true;
        } else if (args[i] == "--count" && hasValue && parseInRange(args[i + 1], 1, 1e9, n)) {
            o.count = n;
            ++i;
        } else if (args[i] == "--lang" && hasValue &&
                   parseInRange(args[i + 1], 1, kTextLanguageCount, n)) {
            o.language = static_cast<int>(n);
            ++i;
        } else if (args[i] == "--period" && hasValue && parseInRange(args[i + 1], 0, 3600000, n)) {
            o.periodMs = n;
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

int runMeasure(CliContext& ctx) {
    Options o;
    if (!parseOptions(ctx.args, o)) {
        *ctx.err << kUsage;
        return 2;
    }
    const CProfileFile configuration = ctx.app->configuration();
    const int language = o.language != 0 ? o.language : dialogLanguage(configuration);

    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    const int firstByteTimeout = ctx.options.timeoutMs > 0 ? ctx.options.timeoutMs : 1000;
    link->setFirstByteTimeout(firstByteTimeout);
    if (const int status = checkMeter(ctx, *link, language); status != 0)
        return status;

    CFieldList fields;
    fields.setLanguage(language);
    registerMeasureFields(fields);
    registerBorrowedFields(fields);
    CFieldListBlocks blocks(fields, RegionalSettings::fromProcessLocale());
    GraphField graph(CMeasureSession::flowGraphSettings());
    CMeasureSession session(fields, blocks, graph, MeasureOptions::read(configuration),
                            &CProbeNameTable::program());
    session.acquisition().setTimeouts(firstByteTimeout,
                                      ctx.options.timeoutMs > 0 ? ctx.options.timeoutMs : 2500);
    session.acquisition().setFirstByteTimeoutSetter(
        [link](int ms) { link->setFirstByteTimeout(ms); });
    session.display().refresh(1);
    session.display().hideAll();

    FrameQueue queue;
    const JBusRequest first = session.acquisition().firstRequest(ctx.options.slave);
    if (link->startPolling(&queue, first.slave, first.function, first.address, first.count,
                           static_cast<int>(o.periodMs), first.itemSize, {}) != 0) {
        *ctx.err << "the polling worker cannot be started\n";
        return 1;
    }
    long long shown = 0;
    bool failing = false;
    bool lost = false;
    while ((o.count == 0 || shown < o.count) && queue.wait()) {
        JBusRequest request = link->getRequest();
        const int result = request.result;
        const CMeasureAcquisition::Result r = session.onFrame(request);
        if (r.replaced)
            link->setRequest(request);
        if (result == LINK_PORT_LOST) {
            // Said once; the worker opens the port again when its device comes back.
            if (!lost)
                *ctx.err << portLostText(language) << " (error " << result << ")\n";
            lost = failing = true;
        } else if (lost && result == 0) {
            *ctx.err << portBackText(language) << "\n";
            lost = failing = false;
        } else if (r.outcome == CMeasureAcquisition::Outcome::Failed && !failing) {
            *ctx.err << "no answer (error " << result << "), trying again\n";
            failing = true;
        } else if (r.outcome != CMeasureAcquisition::Outcome::Failed) {
            failing = false;
        }
        if (r.outcome == CMeasureAcquisition::Outcome::Measurement) {
            ++shown;
            const auto groups = shownMeasurement(fields);
            if (o.json)
                *ctx.out << measurementJson(groups, shown) << "\n";
            else
                *ctx.out << "--- " << shown << "\n" << measurementText(groups);
            ctx.out->flush();
        }
        link->acknowledge();
    }
    link->stopPolling();
    return queue.stopStatus();
}

const CliCommandRegistration reg{"measure", "measure [--count N] [--lang L] [--json] [--period MS]",
                                 &runMeasure};

} // namespace
} // namespace ks::cli
