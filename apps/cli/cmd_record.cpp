// record FILE.mes [--samples N] [--period S] [--lap MIN] [--lang L] [--poll MS]: records the
// measurements into a recording file as the measurement dialog's record button does, on the
// meter's own clock. Ctrl+C (or SIGTERM) ends the recording cleanly; a file that already holds
// a recording gets the new samples after its last whole one.
#include "CliArgs.h"
#include "CliCommand.h"
#include "FrameQueue.h"
#include "MeterCheck.h"
#include "app/FlowApp.h"
#include "framework/FieldListBlocks.h"
#include "i18n/RegionalSettings.h"
#include "i18n/TextLimits.h"
#include "i18n/TextTable.h"
#include "link/JBusLink.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureRecording.h"
#include "measurement/MeasureSession.h"
#include "measurement/ProbeNameTable.h"
#include "measurement/RecordTexts.h"
#include "measurement/RecordingStep.h"
#include "shell/DialogLanguage.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <sys/stat.h>

namespace ks::cli {

namespace {

constexpr const char* kUsage =
    "usage: record FILE.mes [--samples N] [--period S] [--lap MIN] [--lang L] [--poll MS]\n"
    "  --samples N  stop after N samples (default: until the lap time or Ctrl+C)\n"
    "  --period S   sample period in seconds of meter time (default: the configuration's)\n"
    "  --lap MIN    stop after MIN minutes of meter time, 0 for no limit (default: the\n"
    "               configuration's)\n"
    "  --lang L     language of the status lines, 1 French .. 5 Spanish\n"
    "  --poll MS    pause between two exchanges (default 500)\n";

constexpr int kCannotOpenFile = 123; // "Impossible d'ouvrir le fichier : "
constexpr int kIncorrectFile = 113;  // "Fichier incorrect"

struct Options {
    std::string path;
    long long samples = 0;
    long long period = -1;
    double lap = -1;
    int language = 0;
    long long pollMs = 500;
};

bool parseOptions(const std::vector<std::string>& args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        long long n = 0;
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--samples" && hasValue && parseInRange(args[i + 1], 1, 1e9, n)) {
            o.samples = n;
            ++i;
        } else if (args[i] == "--period" && hasValue && parseInRange(args[i + 1], 1, 86400, n)) {
            o.period = n;
            ++i;
        } else if (args[i] == "--lap" && hasValue) {
            char* end = nullptr;
            const double v = std::strtod(args[i + 1].c_str(), &end);
            if (end == args[i + 1].c_str() || *end != '\0' || !(v >= 0) || v > 1e6)
                return false;
            o.lap = v;
            ++i;
        } else if (args[i] == "--lang" && hasValue &&
                   parseInRange(args[i + 1], 1, kTextLanguageCount, n)) {
            o.language = static_cast<int>(n);
            ++i;
        } else if (args[i] == "--poll" && hasValue && parseInRange(args[i + 1], 0, 3600000, n)) {
            o.pollMs = n;
            ++i;
        } else if (o.path.empty() && !args[i].empty() && args[i][0] != '-') {
            o.path = args[i];
        } else {
            return false;
        }
    }
    return !o.path.empty();
}

// Opens the recording: a new file, or more samples after those of an existing recording.
bool openRecording(CliContext& ctx, CMeasureRecorder& recorder, const std::string& path,
                   const CFieldList& fields, int language) {
    CTextTable texts;
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0 && st.st_size > 0;
    const RecordFileStatus s = exists ? recorder.continueFile(path)
                                      : recorder.create(path, CMeasureRecorder::headerText(fields),
                                                        CDateTime::now().fields());
    if (s == RecordFileStatus::Ok) {
        if (exists)
            *ctx.out << recorder.samplesInFile() << " samples already in " << path << "\n";
        return true;
    }
    if (s == RecordFileStatus::Incorrect)
        *ctx.err << texts.text(kIncorrectFile, language) << ": " << path << "\n";
    else
        *ctx.err << texts.text(kCannotOpenFile, language)
                 << std::strerror(recorder.file().errorNumber()) << "\n";
    return false;
}

int runRecord(CliContext& ctx) {
    Options o;
    if (!parseOptions(ctx.args, o)) {
        *ctx.err << kUsage;
        return 2;
    }
    const CProfileFile configuration = ctx.app->configuration();
    const int language = o.language != 0 ? o.language : dialogLanguage(configuration);
    const MeasureOptions measureOptions = MeasureOptions::read(configuration);
    CRecordingStep step;
    step.setOptions(o.period > 0 ? static_cast<int>(o.period) : measureOptions.sampleRecordTime,
                    o.lap >= 0 ? o.lap : measureOptions.recordLapTime);

    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    const int firstByteTimeout = ctx.options.timeoutMs > 0 ? ctx.options.timeoutMs : 1000;
    link->setFirstByteTimeout(firstByteTimeout);
    if (const int status = checkMeter(ctx, *link, language); status != 0)
        return status;

    const RegionalSettings regional = RegionalSettings::fromProcessLocale();
    CFieldList fields;
    fields.setLanguage(language);
    registerMeasureFields(fields);
    registerBorrowedFields(fields);
    CFieldListBlocks blocks(fields, regional);
    GraphField graph(CMeasureSession::flowGraphSettings());
    CMeasureSession session(fields, blocks, graph, measureOptions, &CProbeNameTable::program());
    session.acquisition().setTimeouts(firstByteTimeout,
                                      ctx.options.timeoutMs > 0 ? ctx.options.timeoutMs : 2500);
    session.acquisition().setFirstByteTimeoutSetter(
        [link](int ms) { link->setFirstByteTimeout(ms); });
    session.display().refresh(1);
    session.display().hideAll();

    FrameQueue queue;
    const JBusRequest first = session.acquisition().firstRequest(ctx.options.slave);
    if (link->startPolling(&queue, first.slave, first.function, first.address, first.count,
                           static_cast<int>(o.pollMs), first.itemSize, {}) != 0) {
        *ctx.err << "the polling worker cannot be started\n";
        return 1;
    }
    CMeasureRecorder recorder;
    CTextTable texts;
    int status = 0;
    step.pressRecord();
    bool running = true;
    while (running && queue.wait()) {
        JBusRequest request = link->getRequest();
        const CMeasureAcquisition::Result r = session.onFrame(request);
        if (r.replaced)
            link->setRequest(request);
        if (r.outcome == CMeasureAcquisition::Outcome::Measurement) {
            const std::int64_t now = meterTimeOf(fields, regional).secondsSince1980();
            switch (step.onMeasurement(now)) {
            case CRecordingStep::Action::CreateFile: {
                const bool ok = openRecording(ctx, recorder, o.path, fields, language);
                step.started(ok);
                if (!ok) {
                    status = 1;
                    running = false;
                }
                break;
            }
            case CRecordingStep::Action::WriteSample:
                if (recorder.writeSample(blocks, session.graphHistory()) != 0) {
                    *ctx.err << texts.text(kCannotOpenFile, language)
                             << std::strerror(recorder.file().errorNumber()) << "\n";
                    step.stop();
                    status = 1;
                    running = false;
                    break;
                }
                *ctx.out << step.statusText(language) << "\n";
                ctx.out->flush();
                if (o.samples > 0 && step.samplesWritten() >= o.samples)
                    running = false;
                break;
            case CRecordingStep::Action::None:
                break;
            }
            if (step.lapOver())
                running = false;
        }
        link->acknowledge();
    }
    link->stopPolling();
    if (recorder.isOpen())
        *ctx.out << recorder.samplesInFile() << " samples in " << o.path << "\n";
    recorder.close();
    return status;
}

const CliCommandRegistration reg{
    "record", "record FILE.mes [--samples N] [--period S] [--lap MIN] [--lang L] [--poll MS]",
    &runRecord};

} // namespace
} // namespace ks::cli
