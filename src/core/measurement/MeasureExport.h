#pragma once

#include "i18n/RegionalSettings.h"
#include "measurement/RecordingSummary.h"

#include <functional>
#include <string>

namespace ks {

// What an export writes.
enum class ExportKind {
    Text,     // tab-separated text: the header line, then per sample its number and record line
    Workbook, // an .xlsx workbook: the data as cells, a summary sheet and a flow chart
};

// The kind an output file name asks for: ".xlsx" (any case) is a workbook, anything else text.
ExportKind exportKindOfPath(const std::string& path);

struct ExportRequest {
    std::string recording; // the recording file (only read)
    std::string output;    // the file to write; replaced only once it is complete
    ExportKind kind = ExportKind::Text;
    int language = 1;
    RegionalSettings regional = RegionalSettings::fallback();
    std::string decimalSeparator = ".";
    int applicationSetting = 0; // "Application" option: 0 flow, 1 speed
};

struct ExportResult {
    int status = 0;      // 0, or -1 with the message
    std::string message; // the user's message in the language ("Fichier incorrect", ...)
    bool cancelled = false;
    int samples = 0;
    RecordingSummary summary;
};

// Called every 25 samples and at the end with the samples done and the total; returning false
// cancels the export (nothing is written then). May be called on a worker thread.
using ExportProgress = std::function<bool(int done, int total)>;
inline constexpr int kExportProgressStep = 25;

// Reads the recording sample by sample into the measurement fields and writes the output.
// The output appears under its name only when complete (written beside it, then renamed): a
// failed or cancelled export leaves no half-written file and an older file of that name as it
// was.
ExportResult exportRecording(const ExportRequest& request, const ExportProgress& progress = {});

// The summary alone (calyptron-cli export --summary, the workbook's summary sheet).
ExportResult summariseRecording(const ExportRequest& request);

} // namespace ks
