#include "measurement/MeasureExport.h"

#include "app/FileAccess.h"
#include "i18n/TextTable.h"
#include "measurement/MeasureRecording.h"
#include "measurement/RecordTexts.h"
#include "measurement/WorkbookWriter.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace ks {

namespace {

constexpr int kCannotOpenFile = 123;   // "Impossible d'ouvrir le fichier : "
constexpr int kIncorrectFile = 113;    // "Fichier incorrect"
constexpr int kCannotOpenTarget = 112; // "Impossible d'ouvrir le fichier destination !"
constexpr int kFlowTitle = 90, kQTTitle = 245;

std::atomic<unsigned> g_tempCounter{0};

ExportResult failure(int language, int text, int err = 0) {
    CTextTable t;
    ExportResult r;
    r.status = -1;
    r.message = t.text(text, language);
    if (err != 0)
        r.message += std::strerror(err);
    return r;
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// Splits a record line's columns into the header-line titles.
std::vector<std::string> titlesOf(const std::string& headerLine) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < headerLine.size(); ++i) {
        if (headerLine[i] == '\t' || headerLine[i] == '\n') {
            out.push_back(headerLine.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

// Walks the samples of an opened recording: decodes each, hands its columns on, feeds the
// summary and reports progress. -1 (with the result filled) on a failure or a cancel.
struct SampleWalk {
    const ExportRequest& request;
    CRecordFile& file;
    CMeasureSampleModel& model;
    const ExportProgress& progress;
    CSummaryBuilder summary;

    template <typename Sink> int run(int samples, ExportResult& result, Sink&& sink) {
        for (int i = 0; i < samples; ++i) {
            if (model.load(file, i) != 0) {
                result = failure(request.language, kIncorrectFile);
                return -1;
            }
            const CDateTime when = meterTimeOf(model.fields(), request.regional);
            const std::vector<std::string> cols =
                recordColumns(model.fields(), when, model.twoPipes());
            double flow = 0;
            if (numberOfText(cols[3], flow))
                summary.add(when.secondsSince1980(), flow, cols[4]);
            if (sink(i + 1, cols) != 0) {
                result.status = -1;
                return -1;
            }
            if (progress && ((i + 1) % kExportProgressStep == 0 || i + 1 == samples) &&
                !progress(i + 1, samples)) {
                result.status = -1;
                result.cancelled = true;
                return -1;
            }
        }
        return 0;
    }
};

std::string tempPathBeside(const std::string& target) {
    const std::filesystem::path t(target);
    const std::filesystem::path dir = t.has_parent_path() ? t.parent_path() : ".";
    return (dir / ("." + t.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                   std::to_string(g_tempCounter.fetch_add(1))))
        .string();
}

} // namespace

ExportKind exportKindOfPath(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return ext == ".xlsx" ? ExportKind::Workbook : ExportKind::Text;
}

ExportResult exportRecording(const ExportRequest& request, const ExportProgress& progress) {
    const int language = request.language;
    if (request.output.empty() || samePath(request.output, request.recording))
        return failure(language, kCannotOpenTarget);
    CRecordFile file;
    switch (file.open(request.recording)) {
    case RecordFileStatus::Ok:
        break;
    case RecordFileStatus::CannotOpen:
        return failure(language, kCannotOpenFile, file.errorNumber());
    case RecordFileStatus::Incorrect:
        return failure(language, kIncorrectFile);
    }
    CMeasureSampleModel model(language, request.regional, request.applicationSetting);
    const int samples = file.recordCount() / kBlocksPerSample;
    // The first sample says which kind of meter the titles are for.
    if (samples > 0 && model.load(file, 0) != 0)
        return failure(language, kIncorrectFile);
    const bool twoPipes = model.twoPipes();
    const std::string header = recordHeaderLine(language, twoPipes);

    ExportResult result;
    SampleWalk walk{request, file, model, progress, {}};
    if (request.kind == ExportKind::Text) {
        std::string text = header;
        text.reserve(header.size() + static_cast<std::size_t>(samples) * 320);
        if (walk.run(samples, result, [&](int n, const std::vector<std::string>& cols) {
                text += std::to_string(n);
                text += '\t';
                text += recordLineOfColumns(cols, request.decimalSeparator);
                return 0;
            }) != 0)
            return result;
        errno = 0;
        if (replaceFileContents(request.output, text) != 0)
            return failure(language, kCannotOpenFile, errno != 0 ? errno : EIO);
    } else {
        const std::string temp = tempPathBeside(request.output);
        const std::string folder = std::filesystem::path(temp).parent_path().string();
        CWorkbookWriter book;
        auto fail = [&](int err) {
            book.abandon();
            ::unlink(temp.c_str());
            return failure(language, kCannotOpenFile, err);
        };
        if (book.open(temp, folder, language) != 0 || book.writeHeader(titlesOf(header)) != 0)
            return fail(errno != 0 ? errno : EIO);
        if (walk.run(samples, result, [&](int n, const std::vector<std::string>& cols) {
                return book.writeSample(n, cols);
            }) != 0) {
            book.abandon();
            ::unlink(temp.c_str());
            if (result.cancelled || !result.message.empty())
                return result;
            return failure(language, kCannotOpenFile, EIO);
        }
        CTextTable t;
        errno = 0;
        if (book.finish(walk.summary.result(),
                        t.text(twoPipes ? kQTTitle : kFlowTitle, language)) != 0 ||
            ::rename(temp.c_str(), request.output.c_str()) != 0)
            return fail(errno != 0 ? errno : EIO);
    }
    result.status = 0;
    result.samples = samples;
    result.summary = walk.summary.result();
    return result;
}

ExportResult summariseRecording(const ExportRequest& request) {
    CRecordFile file;
    switch (file.open(request.recording)) {
    case RecordFileStatus::Ok:
        break;
    case RecordFileStatus::CannotOpen:
        return failure(request.language, kCannotOpenFile, file.errorNumber());
    case RecordFileStatus::Incorrect:
        return failure(request.language, kIncorrectFile);
    }
    CMeasureSampleModel model(request.language, request.regional, request.applicationSetting);
    const ExportProgress none;
    SampleWalk walk{request, file, model, none, {}};
    ExportResult result;
    const int samples = file.recordCount() / kBlocksPerSample;
    if (walk.run(samples, result, [](int, const std::vector<std::string>&) { return 0; }) != 0)
        return result;
    result.samples = samples;
    result.summary = walk.summary.result();
    return result;
}

} // namespace ks
