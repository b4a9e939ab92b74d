#include "measurement/EscFeed.h"

#include "measurement/MeasureDerived.h"
#include "measurement/MeasureIds.h"

#include <cmath>

namespace ks {

namespace {

namespace id = measure::id;
namespace txt = measure::text;

double numberOf(const CFieldList& fields, int fieldId) {
    const CField* f = fields.find(fieldId);
    return f ? f->number() : 0.0;
}

} // namespace

GraphFieldSettings escDeltaTGraphSettings() {
    return {200, -0.5, 0.5, "%0.2f", ""};
}

GraphFieldSettings escTransitGraphSettings() {
    return {200, 60.5, 61.5, "%0.2f", ""};
}

EscInputs escInputs(const CFieldList& f, int chord) {
    if (chord == 2)
        return {numberOf(f, id::kDeltaT2Full), numberOf(f, id::kTransit2Full),
                numberOf(f, id::kEscGainUp2), numberOf(f, id::kEscGainDown2),
                numberOf(f, id::kSoundSpeed2)};
    return {numberOf(f, id::kDeltaT1Full), numberOf(f, id::kTransit1Full),
            numberOf(f, id::kEscGainUp1), numberOf(f, id::kEscGainDown1),
            numberOf(f, id::kSoundSpeed1)};
}

void narrowEscRange(GraphField& graph) {
    const SeriesStats s = graph.curveStats();
    if (s.count == 0)
        return;
    const double bottom = std::floor(10 * s.minimum) / 10;
    double top = std::ceil(10 * s.maximum) / 10;
    // Values that all sit on one tenth would make an empty range, which draws nothing.
    if (top <= bottom)
        top = bottom + 0.1;
    if (std::isfinite(bottom) && std::isfinite(top))
        graph.setRange(bottom, top);
}

EscReadings feedEsc(GraphField& deltaT, GraphField& transit, const EscInputs& in) {
    EscReadings r;
    deltaT.addPoint(in.deltaT);
    r.deltaTMean = deltaT.curveStats().mean;
    narrowEscRange(deltaT);
    transit.addPoint(in.transit);
    r.transitMean = transit.curveStats().mean;
    narrowEscRange(transit);
    r.gainUp = in.gainUp;
    r.gainDown = in.gainDown;
    r.waterTemperature = waterTemperature(in.soundSpeed);
    return r;
}

void registerEscFields(CFieldList& f) {
    constexpr unsigned kShown = FieldKind::kDisplay;
    constexpr int kDeltaT = 96, kDeltaTMean = 98, kTime = 288, kTimeMean = 295;
    constexpr int kGainUp = 143, kGainDown = 144, kTemperature = 287;
    constexpr int kNs = 213, kUs = 328, kDb = 89, kCelsius = 93;
    f.add({.id = id::kEscDeltaTGraph,
           .label = kDeltaT,
           .unit = kNs,
           .kind = FieldKind::kPlot,
           .format = "%0.2f"});
    f.add({.id = id::kEscDeltaTMean,
           .label = kDeltaTMean,
           .unit = kNs,
           .kind = kShown,
           .format = "%0.3f"});
    f.add({.id = id::kEscTransitGraph,
           .label = kTime,
           .unit = kUs,
           .kind = FieldKind::kPlot,
           .format = "%0.2f"});
    f.add({.id = id::kEscTransitMean,
           .label = kTimeMean,
           .unit = kUs,
           .kind = kShown,
           .format = "%0.3f"});
    f.add({.id = id::kEscGainUp, .label = kGainUp, .unit = kDb, .kind = kShown, .format = "%0.2f"});
    f.add({.id = id::kEscGainDown,
           .label = kGainDown,
           .unit = kDb,
           .kind = kShown,
           .format = "%0.2f"});
    f.add({.id = id::kEscWaterTemperature,
           .label = kTemperature,
           .unit = kCelsius,
           .kind = kShown,
           .format = "%0.2f"});
}

void showEscReadings(CFieldList& f, const EscReadings& r) {
    const std::pair<int, double> values[] = {{id::kEscDeltaTMean, r.deltaTMean},
                                             {id::kEscTransitMean, r.transitMean},
                                             {id::kEscGainUp, r.gainUp},
                                             {id::kEscGainDown, r.gainDown},
                                             {id::kEscWaterTemperature, r.waterTemperature}};
    for (const auto& [fieldId, value] : values)
        if (CField* field = f.find(fieldId))
            field->setNumber(value);
}

int escCaptionText(int chord, int applicationType) {
    const bool pipes = applicationType == measure::kTwoPipes;
    if (chord == 2)
        return pipes ? txt::kPipe2 : txt::kChord2;
    return pipes ? txt::kPipe1 : txt::kChord1;
}

} // namespace ks
