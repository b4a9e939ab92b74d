#include "measurement/MeasurePrint.h"

#include "measurement/MeasureIds.h"

namespace ks {

namespace {

// The dialog's own lines that have no caption; other captionless fields (the identification
// block every device dialog carries) are not the printout's.
bool printsWithoutCaption(int fieldId) {
    namespace id = measure::id;
    return fieldId == id::kMeterClock || fieldId == id::kFaultLine || fieldId == id::kProbeName ||
           fieldId == id::kCommunicationStatus || fieldId == id::kRecordingStatus;
}

} // namespace

std::vector<PrintLine> measurePrintLines(const CFieldList& fields) {
    using Kind = PrintLine::Kind;
    std::vector<PrintLine> lines;
    const auto rule = [&lines] {
        if (!lines.empty() && lines.back().kind != Kind::Separator)
            lines.push_back({Kind::Separator, {}, {}});
    };
    for (const CField& f : fields) {
        const unsigned kind = f.kind();
        if ((kind & FieldKind::kSeparator2) != 0) {
            rule();
            continue;
        }
        if (!f.isShown() || f.isValueOnly() || (kind & FieldKind::kSeparator) != 0)
            continue;
        if (f.isGroupBox()) {
            lines.push_back({Kind::Heading, f.label(), {}});
        } else if ((kind & FieldKind::kValueControls) != 0) {
            std::string value = f.shownText();
            if (!f.hasLabel() && (value.empty() || !printsWithoutCaption(f.id())))
                continue;
            const std::string unit = f.unit();
            if (!unit.empty())
                value += " " + unit;
            lines.push_back({Kind::Field, f.label(), value});
        }
    }
    if (!lines.empty() && lines.back().kind == Kind::Separator)
        lines.pop_back();
    return lines;
}

} // namespace ks
