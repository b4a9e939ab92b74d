#include "measurement/MeasureFields.h"

#include "framework/ValueType.h"
#include "measurement/MeasureIds.h"

#include <string>

namespace ks {

namespace {

namespace id = measure::id;
namespace blk = measure::block;
namespace txt = measure::text;
namespace vt = valuetype;

// Text numbers of labels and units.
constexpr int kFlowLabel = 90;
constexpr int kQT = 245;
constexpr int kQ1 = 237;
constexpr int kQ2 = 239;
constexpr int kVelocity = 335;
constexpr int kSoundSpeed = 13;
constexpr int kTime = 288;
constexpr int kDeltaT = 96;
constexpr int kGain = 142;
constexpr int kQuality = 151;
constexpr int kProbeDiameter1 = 103;
constexpr int kProbeDiameter2 = 104;
constexpr int kKh1 = 154;
constexpr int kKh2 = 155;
constexpr int kCalyptron = 183;
constexpr int kFirmware = 140;
constexpr int kBoard = 12;
constexpr int kSerialNumber = 214;
constexpr int kGroupKh = 153;
constexpr int kGroupProbe = 268;
constexpr int kGroupTotalisers = 299;
constexpr int kGroupVersion = 332;
constexpr int kMs = 200;  // m/s
constexpr int kUs = 328;  // µs
constexpr int kNs = 213;  // ns
constexpr int kDb = 89;   // dB
constexpr int kPct = 233; // %
constexpr int kMm = 186;  // mm

constexpr unsigned kShown = FieldKind::kDisplay;
constexpr unsigned kGroup = FieldKind::kGroup;

// One value of the measurement block.
struct Value {
    int id;
    int label;
    int unit;
    int list;
    const char* format;
    int type;
    int offset;
    bool hidden;
    double maximum = 0;
};

void addValue(CFieldList& f, const Value& v) {
    f.add({.id = v.id,
           .flags = v.hidden ? FieldFlag::kValueOnly : 0u,
           .label = v.label,
           .unit = v.unit,
           .list = v.list,
           .kind = kShown,
           .maximum = v.maximum,
           .format = v.format,
           .type = v.type,
           .offset = v.offset,
           .block = blk::kMeasurement});
}

void position(CFieldList& f, int column) {
    f.add({.kind = FieldKind::kSeparator, .value = std::to_string(column)});
}

void lineBreak(CFieldList& f) {
    f.add({.kind = FieldKind::kSeparator2, .value = "1"});
}

void group(CFieldList& f, int groupId, int title) {
    f.add({.id = groupId, .label = title, .kind = kGroup});
}

// A line the dialog composes (probe name, serial number, fault line): no block.
void computed(CFieldList& f, int lineId, int label, int list, const char* format) {
    f.add({.id = lineId, .label = label, .list = list, .kind = kShown, .format = format});
}

// The seven lines of a chord, then its hidden companions, in print order.
struct ChordIds {
    int group, title, transit, transitFull, deltaT, deltaTFull, velocity, sound, gain, gainType,
        margin, quality, escUp, escDown;
    int transitAt, deltaTAt, velocityAt, soundAt, gainAt, gainTypeAt, marginAt, qualityAt, escUpAt,
        escDownAt;
};

void addChord(CFieldList& f, const ChordIds& c) {
    group(f, c.group, c.title);
    addValue(f, {c.transit, kTime, kUs, 0, "%0.2f", vt::kFloat, c.transitAt, false});
    addValue(f, {c.transitFull, kTime, kUs, 0, "%f", vt::kFloat, c.transitAt, true});
    addValue(f, {c.deltaT, kDeltaT, kNs, 0, "%0.2f", vt::kFloat, c.deltaTAt, false});
    addValue(f, {c.deltaTFull, kDeltaT, kNs, 0, "%f", vt::kFloat, c.deltaTAt, true});
    addValue(f, {c.velocity, kVelocity, kMs, 0, "%0.3f", vt::kFloat, c.velocityAt, false});
    addValue(f, {c.sound, kSoundSpeed, kMs, 0, "%0.f", vt::kFloat, c.soundAt, false});
    addValue(f, {c.gain, kGain, kDb, 0, "%0.f", vt::kSigned8, c.gainAt, false});
    addValue(f, {c.gainType, 0, 0, txt::kGainTypes, "%l", vt::kSigned8, c.gainTypeAt, true});
    addValue(f, {c.margin, txt::kMargin, kDb, 0, "%0.f", vt::kSigned8, c.marginAt, false});
    addValue(f, {c.quality, kQuality, kPct, 0, "%0.f", vt::kSigned8, c.qualityAt, false});
    addValue(f, {c.escUp, 0, 0, 0, "%0.2f", vt::kUnsigned16, c.escUpAt, true});
    addValue(f, {c.escDown, 0, 0, 0, "%0.2f", vt::kUnsigned16, c.escDownAt, true});
}

} // namespace

void registerMeasureFields(CFieldList& f) {
    position(f, 70);
    addValue(f, {id::kMeterClock, 0, 0, 0, "%s", vt::kMeterDate, 38, false});
    lineBreak(f);

    position(f, 70);
    addValue(f, {id::kFaultFlags, 0, 0, 0, "%0.f", vt::kSigned16, 22, true});
    computed(f, id::kFaultLine, 0, txt::kFaults, "%l");
    lineBreak(f);

    position(f, 50);
    group(f, id::kVersionGroup, kGroupVersion);
    addValue(f, {id::kFamilyName, kCalyptron, 0, 0, "%s", vt::kText, 128, false, 16});
    addValue(f, {id::kFirmware, kFirmware, 0, 0, "%s", vt::kText, 56, false, 12});
    addValue(f, {id::kBoard, kBoard, 0, txt::kBoards, "%l", vt::kSigned8, 68, false});
    computed(f, id::kSerialNumber, kSerialNumber, 0, "%s");
    addValue(f, {id::kSerialFirst, 0, 0, 0, "%02.f", vt::kSigned8, 76, true});
    addValue(f, {id::kSerialSecond, 0, 0, 0, "%02.f", vt::kSigned8, 77, true});
    addValue(f, {id::kSerialSequence, 0, 0, 0, "%05.f", vt::kUnsigned16, 78, true});
    lineBreak(f);

    position(f, 50);
    f.add({.id = id::kGraph, .kind = FieldKind::kPlot, .format = "%0.1f"});
    position(f, 0);
    addValue(f, {id::kFlow, kFlowLabel, 0, txt::kFlowUnits, "auto4", vt::kFloat, 0, false});
    addValue(f, {id::kFlowUnit, 0, 0, txt::kFlowUnits, "%0.f", vt::kSigned8, 18, true});
    addValue(f, {id::kMeanVelocity, kVelocity, kMs, 0, "%0.3f", vt::kFloat, 4, false});
    addValue(f, {id::kMeanSoundSpeed, kSoundSpeed, kMs, 0, "%0.f", vt::kFloat, 98, false});
    addValue(f, {id::kFlowQT, kQT, 0, txt::kFlowUnits, "auto4", vt::kFloat, 0, false});
    addValue(f, {id::kFlowQ1, kQ1, 0, txt::kFlowUnits, "auto4", vt::kFloat, 144, false});
    addValue(f, {id::kFlowQ2, kQ2, 0, txt::kFlowUnits, "auto4", vt::kFloat, 148, false});
    lineBreak(f);

    position(f, 12);
    group(f, id::kKhGroup, kGroupKh);
    addValue(f, {id::kKh1, kKh1, 0, 0, "%0.3f", vt::kFloat, 26, false});
    addValue(f, {id::kKhMode, 0, 0, txt::kKhModes, "%l", vt::kSigned8, 21, true});
    addValue(f, {id::kKh2, kKh2, 0, 0, "%0.3f", vt::kFloat, 152, false});
    lineBreak(f);

    position(f, 12);
    addChord(f, {id::kChord1Group,
                 txt::kChord1,
                 id::kTransit1,
                 id::kTransit1Full,
                 id::kDeltaT1,
                 id::kDeltaT1Full,
                 id::kVelocity1,
                 id::kSoundSpeed1,
                 id::kGain1,
                 id::kGainType1,
                 id::kMargin1,
                 id::kQuality1,
                 id::kEscGainUp1,
                 id::kEscGainDown1,
                 34,
                 30,
                 90,
                 102,
                 52,
                 124,
                 120,
                 54,
                 72,
                 74});
    addChord(f, {id::kChord2Group,
                 txt::kChord2,
                 id::kTransit2,
                 id::kTransit2Full,
                 id::kDeltaT2,
                 id::kDeltaT2Full,
                 id::kVelocity2,
                 id::kSoundSpeed2,
                 id::kGain2,
                 id::kGainType2,
                 id::kMargin2,
                 id::kQuality2,
                 id::kEscGainUp2,
                 id::kEscGainDown2,
                 86,
                 82,
                 94,
                 106,
                 112,
                 126,
                 122,
                 110,
                 114,
                 116});
    lineBreak(f);

    position(f, 12);
    group(f, id::kProbeGroup, kGroupProbe);
    addValue(f, {id::kProbeType, 0, 0, 0, "%0.f", vt::kSigned8, 45, true});
    computed(f, id::kProbeName, 0, 0, "%s");
    addValue(f, {id::kDiametersValid, 0, 0, 0, "%0.f", vt::kSigned8, 47, true});
    addValue(f, {id::kProbeDiameter1, kProbeDiameter1, kMm, 0, "%0.f", vt::kFloat, 48, false});
    addValue(f, {id::kProbeDiameter2, kProbeDiameter2, kMm, 0, "%0.f", vt::kFloat, 156, false});
    lineBreak(f);

    position(f, 12);
    group(f, id::kTotaliserGroup, kGroupTotalisers);
    addValue(f, {id::kDirection1, 0, 0, txt::kDirections, "%0.f", vt::kHighNibble, 16, true});
    addValue(f, {id::kTotaliser1, txt::kTotaliser1, 0, 0, "%09.f", vt::kUnsigned32, 8, false});
    addValue(f, {id::kPulseWeight1, 0, 0, txt::kPulseWeights, "%0.f", vt::kHighNibble, 17, true});
    addValue(f, {id::kTotaliserFlow1, 0, 0, txt::kFlowSelections, "%0.f", vt::kSigned8, 160, true});
    addValue(f, {id::kDirection2, 0, 0, txt::kDirections, "%0.f", vt::kLowNibble, 16, true});
    addValue(f, {id::kTotaliser2, txt::kTotaliser2, 0, 0, "%09.f", vt::kUnsigned32, 12, false});
    addValue(f, {id::kPulseWeight2, 0, 0, txt::kPulseWeights, "%0.f", vt::kLowNibble, 17, true});
    addValue(f, {id::kTotaliserFlow2, 0, 0, txt::kFlowSelections, "%0.f", vt::kSigned8, 161, true});

    f.add({.id = id::kFullScale,
           .flags = FieldFlag::kValueOnly,
           .kind = kShown,
           .format = "%0.1f",
           .type = vt::kSigned24,
           .offset = 35,
           .block = blk::kMainSettings});
    addValue(f, {id::kChordCount, 0, 0, 0, "%0.f", vt::kSigned8, 118, true});
    addValue(f, {id::kTwoPipes, 0, 0, 0, "%0.f", vt::kSigned8, 162, true});
    addValue(f, {id::kSecondChord, 0, 0, 0, "%0.f", vt::kSigned8, 163, true});
    // Units the display rules compose (flow unit, KH mode, pulse weight): the lines have a
    // unit from the start, empty until the first measurement.
    for (int lineId : {id::kFlow, id::kFlowQT, id::kFlowQ1, id::kFlowQ2, id::kKh1, id::kKh2,
                       id::kTotaliser1, id::kTotaliser2})
        f.find(lineId)->setUnitText("");

    // The status lines: how the communication goes (its entry 1 reads "waiting for the
    // connection" until the first exchange ends) and what the recording does.
    f.add({.id = id::kCommunicationStatus,
           .list = txt::kCommunicationStates,
           .kind = kShown,
           .value = "1",
           .format = "%l"});
    f.add({.id = id::kRecordingStatus, .kind = kShown, .format = "%s"});
    f.add({.id = id::kTotaliserCommand,
           .flags = FieldFlag::kValueOnly,
           .kind = kShown,
           .value = "0",
           .format = "%0.f",
           .type = vt::kUnsigned32,
           .offset = 0,
           .block = blk::kTotaliserCommand});
}

} // namespace ks
