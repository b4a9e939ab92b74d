#include "settings/SettingsFields.h"

#include "framework/IdentificationFields.h"
#include "framework/ValueType.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTexts.h"

#include <string>

namespace ks {

namespace {

namespace id = settings::id;
namespace blk = settings::block;
namespace vt = valuetype;
namespace tx = settings::text;

// Builders of the rows of one block.
class Rows {
public:
    Rows(CFieldList& f, int block) : m_f(f), m_block(block) {}

    void list(int fieldId, int label, int list, int index, int offset, int type = vt::kSigned8) {
        m_f.add({.id = fieldId,
                 .label = label,
                 .list = list,
                 .kind = FieldKind::kList,
                 .value = std::to_string(index),
                 .type = type,
                 .offset = offset,
                 .block = m_block});
    }
    void edit(int fieldId, int label, int decimals, double min, double max, const char* value,
              int unit, int type, int offset) {
        m_f.add({.id = fieldId,
                 .label = label,
                 .unit = unit,
                 .kind = FieldKind::kEdit,
                 .value = value,
                 .minimum = min,
                 .maximum = max,
                 .format = decimalsFormat(decimals),
                 .type = type,
                 .offset = offset,
                 .block = m_block});
    }
    void formatted(int fieldId, int label, const char* format, double max, const char* value,
                   int type, int offset) {
        m_f.add({.id = fieldId,
                 .label = label,
                 .kind = FieldKind::kEdit,
                 .value = value,
                 .maximum = max,
                 .format = format,
                 .type = type,
                 .offset = offset,
                 .block = m_block});
    }
    void text(int fieldId, int label, int length, const char* value, int offset) {
        formatted(fieldId, label, "%s", static_cast<double>(length), value, vt::kText, offset);
    }
    void valueOnly(int fieldId, const char* format, const char* value, int type, int offset,
                   double max = 0) {
        m_f.add({.id = fieldId,
                 .flags = FieldFlag::kValueOnly,
                 .kind = FieldKind::kEdit,
                 .value = value,
                 .maximum = max,
                 .format = format,
                 .type = type,
                 .offset = offset,
                 .block = m_block});
    }
    void group(int fieldId, int label) {
        m_f.add({.id = fieldId, .label = label, .kind = FieldKind::kGroup});
    }
    void heading(int label) {
        m_f.add({.kind = FieldKind::kSeparator});
        m_f.add({.label = label, .kind = FieldKind::kHeading});
    }

private:
    CFieldList& m_f;
    int m_block;
};

// A list that only steers the transfer: in no block, "Oui"/"Non", "Non" by default.
void yesNo(CFieldList& f, int fieldId, int label) {
    f.add({.id = fieldId,
           .label = label,
           .list = tx::kYesNo,
           .kind = FieldKind::kList,
           .value = "1"});
}

void generalPage(CFieldList& f) {
    Rows r(f, blk::kMain);
    r.heading(tx::kGeneral);
    r.group(id::kGroupCom, tx::kCom);
    // Read unsigned: a meter at slave 200 shows 200, not a negative number held to 0.
    r.edit(id::kSlave, tx::kJBusNumber, 0, 0, 255, "1", 0, vt::kUnsigned8, 53);
    r.group(id::kGroupMeasure, tx::kMeasure);
    r.edit(id::kFilter, tx::kFilter, 0, 0, 300.1, "5", tx::kCycle, vt::kUnsigned16, 31);
    r.edit(id::kMemory, tx::kMemory, 0, 0, 9999, "10", tx::kCycle, vt::kUnsigned16, 33);
    r.group(id::kGroupDisplay, tx::kDeviceName);
    r.text(id::kLine1, tx::kLine1, 16, "   KESTRANOL", 56);
    r.text(id::kLine2, tx::kLine2, 16, "", 72);
    r.list(id::kFirstScreen, tx::kFirstScreen, tx::kFirstScreenOneChord, 0, 91);
    r.list(id::kBacklight, tx::kBacklight, tx::kBacklightList, 1, 88);
    f.add({.id = id::kFirmware,
           .label = tx::kFirmware,
           .kind = FieldKind::kDisplay,
           .maximum = 12,
           .format = "%s",
           .type = vt::kText,
           .offset = 56,
           .block = blk::kMeasurement});
    r.group(id::kGroupInit, tx::kInitialisation);
    yesNo(f, id::kSyncClock, tx::kSyncClock);
    yesNo(f, id::kResetTotaliser1, tx::kResetTotaliser1);
    yesNo(f, id::kResetTotaliser2, tx::kResetTotaliser2);
}

void chordRows(Rows& r, bool second) {
    const int o = second ? 1 : 0;
    r.group(second ? id::kGroupChord2 : id::kGroupChord1, second ? tx::kChord2 : tx::kChord1);
    r.list(second ? id::kPolarity2 : id::kPolarity1, tx::kPolarity, tx::kPolarityList, 1,
           second ? 99 : 52);
    r.list(second ? id::kGainType2 : id::kGainType1, tx::kGainType, tx::kGainTypeList, 2,
           second ? 97 : 14);
    r.edit(second ? id::kMargin2 : id::kMargin1, tx::kMargin, 0, 0, 89, "12", tx::kDb, vt::kSigned8,
           second ? 98 : 15);
    r.edit(second ? id::kLength2 : id::kLength1, tx::kLength, 1, 20, 50000, "282", tx::kMm,
           vt::kSigned24, second ? 103 : 8);
    r.edit(second ? id::kAxial2 : id::kAxial1, tx::kAxial, 1, 20, 50000, "200", tx::kMm,
           vt::kSigned24, second ? 106 : 11);
    r.edit(second ? id::kCv2 : id::kCv1, tx::kCv, 3, 0, 1, "0.500", 0, vt::kUnsigned16,
           109 + 2 * o);
    r.edit(second ? id::kDeltaT02 : id::kDeltaT01, second ? tx::kDeltaT02 : tx::kDeltaT01, 2,
           -9999.99, 9999.99, "0.00", tx::kNs, vt::kSigned24, second ? 100 : 16);
}

void probePage(CFieldList& f) {
    Rows r(f, blk::kMain);
    r.heading(tx::kProbe);
    r.group(id::kGroupProbe, tx::kProbe);
    r.edit(id::kChords, tx::kChordCount, 0, 1, 2, "1", 0, vt::kSigned8, 96);
    f.add({.id = id::kProbe, .label = tx::kProbe, .kind = FieldKind::kList, .value = "3"});
    r.valueOnly(id::kProbeRef, "%0.f", "3", vt::kSigned8, 49);
    r.list(id::kMounting, tx::kMounting, tx::kMountingList, 1, 0);
    r.list(id::kMeasureOn, tx::kMeasureOn, tx::kMeasureOnList, 1, 54);
    r.edit(id::kUsDuration, tx::kUsDuration, 0, 1, 5, "1", 0, vt::kSigned8, 55);
    chordRows(r, false);
    chordRows(r, true);
}

void pipeRows(Rows& r, bool second) {
    r.group(second ? id::kGroupPipe2 : id::kGroupPipe1, second ? tx::kPipe2 : tx::kPipe1);
    r.edit(second ? id::kDiameter2 : id::kDiameter1, tx::kOuterDiameter, 1, 10, 3300, "27.9",
           tx::kMm, vt::kSigned24, second ? 122 : 1);
    r.list(second ? id::kMaterial2 : id::kMaterial1, tx::kMaterial, tx::kMaterialList, 7,
           second ? 127 : 23);
    if (!second)
        r.edit(id::kMaterialSpeed, tx::kMaterialSpeed, 0, 300, 10000, "2730", tx::kMs,
               vt::kUnsigned16, 89);
    r.edit(second ? id::kThickness2 : id::kThickness1, tx::kThickness, 1, 0, 290, "0.9", tx::kMm,
           vt::kUnsigned16, second ? 125 : 24);
}

void pipePage(CFieldList& f) {
    Rows r(f, blk::kMain);
    r.heading(tx::kPipeProduct);
    pipeRows(r, false);
    pipeRows(r, true);
    r.group(id::kGroupProduct, tx::kProduct);
    r.list(id::kProduct, tx::kProduct, tx::kProductList, 1, 26);
    r.edit(id::kC0, tx::kC0, 0, 200, 4000, "1470", tx::kMs, vt::kUnsigned16, 27);
    r.edit(id::kDeltaC, tx::kDeltaC, 0, 1, 500, "300", tx::kMs, vt::kUnsigned16, 29);
    r.group(id::kGroupKh, tx::kKh);
    r.list(id::kKhType, tx::kKhType, tx::kAutoManual, 0, 5);
    r.edit(id::kKh, tx::kKh, 3, 0.001, 9.999, "1", 0, vt::kUnsigned16, 6);
    r.edit(id::kViscosity, tx::kViscosity, 1, 0.1, 999.9, "1.0", tx::kCst, vt::kUnsigned16, 19);
    r.edit(id::kRoughness, tx::kRoughness, 2, 0.01, 20, "0.10", tx::kMm, vt::kUnsigned16, 21);
    r.edit(id::kReynolds, tx::kReynolds, 0, 400, 9999, "2800", 0, vt::kUnsigned16, 92);
    r.edit(id::kLbr, tx::kLbr, 0, 1, 10, "3", 0, vt::kSigned8, 94);
}

void outputsPage(CFieldList& f) {
    Rows r(f, blk::kMain);
    r.heading(tx::kFlow);
    r.group(id::kGroupFlow, tx::kFlow);
    r.list(id::kFlowUnit, tx::kFlowUnitLabel, tx::kFlowUnits, 4, 4);
    r.edit(id::kQMax, tx::kQMax, 1, -99999.9, 99999.9, "10.0", 0, vt::kSigned24, 35);
    r.edit(id::kQCut, tx::kQCut, 0, 0, 30, "0", tx::kPercent, vt::kSigned8, 51);
    r.group(id::kGroupQt, tx::kQtCalculation);
    r.list(id::kCoefficientA, tx::kTimesQ1, tx::kCoefficients, 2, 128);
    r.list(id::kCoefficientB, tx::kTimesQ2, tx::kCoefficients, 0, 129);
    f.add({.id = id::kQtFormula,
           .flags = FieldFlag::kValueOnly,
           .kind = FieldKind::kEdit,
           .maximum = 64,
           .format = "%s"});
    r.group(id::kGroupVolume1, tx::kVolume1);
    r.list(id::kDirection1, tx::kDirection, tx::kVolumeDirections, 0, 38);
    r.list(id::kVolumeType1, tx::kType, tx::kVolumeTypes, 0, 130);
    r.group(id::kGroupVolume2, tx::kVolume2);
    r.list(id::kDirection2, tx::kDirection, tx::kVolumeDirections, 1, 40);
    r.list(id::kVolumeType2, tx::kType, tx::kVolumeTypes, 0, 131);
    r.group(id::kGroupPulse, tx::kPulseWeight);
    r.list(id::kPulseWeight, tx::kPulseWeight, tx::kPulseWeights, 1, 39);
    r.list(id::kPulseWidth, tx::kPulseWidth, tx::kPulseWidths, 2, 50);
    for (int k = 0; k < 2; ++k) {
        const bool two = k == 1;
        r.group(two ? id::kGroupRelay2 : id::kGroupRelay1, two ? tx::kRelay2 : tx::kRelay1);
        r.list(two ? id::kRelayType2 : id::kRelayType1, tx::kType, tx::kRelayTypesFlow, 0,
               two ? 42 : 41);
        r.edit(two ? id::kThreshold2 : id::kThreshold1, tx::kThreshold, 1, -99999.9, 99999.9, "10",
               tx::kMs, vt::kSigned24, two ? 46 : 43);
        r.list(two ? id::kRelaySense2 : id::kRelaySense1, tx::kDirection, tx::kRelaySenses, 0,
               two ? 121 : 120);
    }
    r.group(id::kGroupOutput1, tx::kOutput1);
    r.list(id::kOutputType1, tx::kType, tx::kOutputsOneChord, 0, 132);
    r.edit(id::kOutput1At4mA, tx::k4mA, 1, -99999.9, 99999.9, "0", 0, vt::kSigned24, 133);
    r.edit(id::kOutput1At20mA, tx::k20mA, 1, -99999.9, 99999.9, "10", 0, vt::kSigned24, 136);
    r.group(id::kGroupOutput2, tx::kOutput2);
    r.list(id::kOutputType2, tx::kType, tx::kOutputsOneChord, 2, 113);
    r.edit(id::kOutput2At4mA, tx::k4mA, 1, -99999.9, 99999.9, "400.0", 0, vt::kSigned24, 114);
    r.edit(id::kOutput2At20mA, tx::k20mA, 1, -99999.9, 99999.9, "2000.0", 0, vt::kSigned24, 117);
}

// Rows of the other blocks that the sheet carries without showing them.
void carriedRows(CFieldList& f) {
    Rows m(f, blk::kMeasurement);
    m.valueOnly(id::kTwoPipes, "%0.f", "0", vt::kSigned8, 162);
    m.valueOnly(id::kTwoChords, "%0.f", "0", vt::kSigned8, 163);
    Rows c(f, blk::kClock);
    c.valueOnly(id::kClockToSet, "%s", "", vt::kMeterDate3, 0);
    Rows t(f, blk::kTotaliser);
    t.valueOnly(id::kTotaliserWord, "%0.f", "0", vt::kUnsigned32, 0);
    Rows p(f, blk::kProbes);
    p.valueOnly(id::kProbeText1, "%s", "", vt::kText, 0, 8);
    p.valueOnly(id::kProbeAngle1, "%0.2f", "0", vt::kUnsigned16, 8);
    p.valueOnly(id::kProbeText2, "%s", "", vt::kText, 10, 8);
    p.valueOnly(id::kProbeAngle2, "%0.2f", "0", vt::kUnsigned16, 18);
}

void hideAll(CFieldList& f, std::size_t from) {
    for (std::size_t i = from; i < f.size(); ++i)
        f[i].show(false);
}

} // namespace

std::string decimalsFormat(int decimals) {
    return decimals <= 0 ? "%0.f" : "%0." + std::to_string(decimals) + "f";
}

std::vector<SheetPage> registerSettingsFields(CFieldList& fields) {
    std::vector<SheetPage> pages;
    auto page = [&](int title, void (*rows)(CFieldList&)) {
        const std::size_t first = fields.size();
        rows(fields);
        pages.push_back({title, first, fields.size()});
    };
    page(tx::kGeneral, &generalPage);
    page(tx::kProbeEcho, &probePage);
    page(tx::kPipeProduct, &pipePage);
    page(tx::kFlowOutputs, &outputsPage);
    carriedRows(fields);
    return pages;
}

void registerFactoryFields(CFieldList& f) {
    Rows r(f, blk::kFactory);
    r.list(settings::factory::kFunction, tx::kFunction, tx::kFunctionList, 0, 0);
    r.edit(settings::factory::kSimulatedFlow, tx::kQSimulation, 3, -99.9, 99.9, "10", 0,
           vt::kSigned24, 1);
    r.edit(settings::factory::kRipple, tx::kRipple, 0, 0, 100, "0", tx::kPercent, vt::kSigned8, 4);
    namespace F = settings::factory;
    for (int k = 0; k < 2; ++k) {
        const bool b = k == 1;
        r.edit(b ? F::kAngleB : F::kAngleA, tx::kAngle, 2, 0, 90, "0", tx::kDegree, vt::kUnsigned16,
               b ? 9 : 5);
        // Read unsigned: 25.5 µs is the byte 255, which a signed read would turn into 0.
        r.edit(b ? F::kT0B : F::kT0A, tx::kT0, 1, 0, 25.5, "0", tx::kUs, vt::kUnsigned8,
               b ? 11 : 7);
        r.list(b ? F::kFrequencyB : F::kFrequencyA, tx::kFrequency, tx::kFrequencies, 1,
               b ? 12 : 8);
    }
    r.edit(F::kReferenceFlow, tx::kQRef, 0, 0, 10000, "0", 0, vt::kUnsigned16, 13);
    r.list(F::kReferenceUnit, 0, tx::kFlowUnits, 0, 15);
    static constexpr int kCoefficientTexts[11] = {63, 65, 66, 67, 68, 69, 70, 71, 72, 73, 64};
    for (int k = 0; k <= 10; ++k)
        r.edit(F::kCoefficient0 + 10 * k, kCoefficientTexts[k], 3, 0, 65, "1.000", 0,
               vt::kUnsigned16, 16 + 2 * k);
    r.edit(F::kExternalCoefficient, tx::kExternalCoefficient, 1, 0, 10, "0.7", 0, vt::kSigned8, 38);
    r.edit(F::kGainMax, tx::kGainMax, 0, 0, 89, "80", tx::kDb, vt::kSigned8, 39);
    r.list(F::kLanguage, tx::kLanguage, tx::kMeterLanguages, 0, 40);
    r.edit(F::kTxDelay, tx::kTxDelay, 0, 0, 32, "0", tx::kMsUnit, vt::kSigned8, 41);
    r.list(F::kTxRxMode1, tx::kTxRxMode1, tx::kTxRxModes, 0, 42);
    r.edit(F::kAgcRate, tx::kAgcRate, 0, 1, 100, "10", 0, vt::kSigned8, 43);
    r.list(F::kRxSupply, tx::kRxSupply, tx::kSupplies, 0, 44);
    r.list(F::kTxSupply, tx::kTxSupply, tx::kSupplies, 1, 45);
    r.text(F::kTextA, tx::kText, 6, "", 46);
    r.text(F::kTextB, tx::kText, 6, "", 52);
    r.list(F::kTxRxMode2, tx::kTxRxMode2, tx::kTxRxModes, 9, 58);
    r.edit(F::kDeltaTFilter, tx::kDeltaTFilter, 1, 0, 5000, "5000", tx::kNs, vt::kUnsigned16, 59);
}

void registerSpecialFields(CFieldList& f) {
    namespace S = settings::special;
    Rows r(f, blk::kSpecial);
    r.formatted(S::kSerialWeek, tx::kSerialNumber, "%02.f", 60, "07", vt::kSigned8, 0);
    r.formatted(S::kSerialYear, 0, "%02.f", 99, "03", vt::kSigned8, 1);
    r.formatted(S::kSerialNumber, 0, "%05.f", 65535, "0001", vt::kUnsigned16, 2);
    r.list(S::kMaxPair, tx::kMaxPair, tx::kApplicationTypes, 1, 4);
    r.list(S::kModel, tx::kDeviceType, tx::kModels, 0, 6);
    r.list(S::kBoard, tx::kBoard, tx::kBoards, 1, 7);
    r.formatted(S::kBoardWeek, tx::kBoardSerialNumber, "%02.f", 60, "07", vt::kSigned8, 8);
    r.formatted(S::kBoardYear, 0, "%02.f", 99, "03", vt::kSigned8, 9);
    r.formatted(S::kBoardNumber, 0, "%05.f", 65535, "0001", vt::kUnsigned16, 10);
    r.list(S::kTestFunction, tx::kFunction, tx::kTestFunctions, 0, 12);
    static constexpr int kModelTexts[10] = {312, 311, 320, 317, 314, 313, 319, 316, 318, 315};
    for (int k = 0; k < 2; ++k)
        r.list(S::kModel9 + 10 * k, kModelTexts[8 + k], tx::kNoYes, 0, 13, vt::kBit0 + 0x100 * k);
    for (int k = 0; k < 8; ++k)
        r.list(S::kModel1 + 10 * k, kModelTexts[k], tx::kNoYes, 0, 14, vt::kBit0 + 0x100 * k);
    static constexpr int kApplicationTexts[3] = {310, 309, 308};
    for (int k = 0; k < 3; ++k)
        r.list(S::kMonochord + 10 * k, kApplicationTexts[k], tx::kNoYes, 0, 15,
               vt::kBit0 + 0x100 * k);
    r.list(S::kOem, tx::kOem, tx::kNoYes, 0, 16);
}

std::vector<SheetPage> registerSheetFieldList(CFieldList& fields) {
    registerIdentificationFields(fields);
    return registerSheetRows(fields);
}

std::vector<SheetPage> registerSheetRows(CFieldList& fields) {
    std::vector<SheetPage> pages = registerSettingsFields(fields);
    const std::size_t unshown = fields.size();
    registerFactoryFields(fields);
    registerSpecialFields(fields);
    hideAll(fields, unshown);
    return pages;
}

const std::vector<int>& sheetReadOrder() {
    static const std::vector<int> order{blk::kMeasurement, blk::kMain, blk::kProbes, blk::kSpecial,
                                        blk::kFactory};
    return order;
}

const std::vector<int>& sheetFileOrder() {
    static const std::vector<int> order{blk::kMain, blk::kProbes, blk::kSpecial, blk::kFactory,
                                        blk::kMeasurement};
    return order;
}

} // namespace ks
