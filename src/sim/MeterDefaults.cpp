#include "sim/MeterDefaults.h"

#include "app/Version.h"
#include "sim/BlockMap.h"
#include "sim/MeterLayout.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace ks::sim {

namespace {

namespace L = layout;

constexpr int kDeviceCode = 3100;
constexpr const char* kDescription = "Ultrasonic flowmeter";
constexpr const char* kFamilyName = "CALYPTRON";

void loadSettings(CRegisterImage& im, const SimOptions& o) {
    const int b = kSettingsBlock;
    namespace S = L::set;
    im.setU8(b, S::kMounting, 1);          // "V"
    im.setS24(b, S::kOuterDiameter1, 279); // 27.9 mm
    im.setU8(b, S::kFlowUnit, 4);          // m3/h
    im.setU8(b, S::kKhType, 0);            // automatic
    im.setU16(b, S::kKh, 1000);            // 1.000
    im.setS24(b, S::kLength1, 2820);       // 282.0 mm
    im.setS24(b, S::kAxial1, 2000);        // 200.0 mm
    im.setU8(b, S::kGainType1, 2);         // E.S.C.
    im.setU8(b, S::kMargin1, 12);
    im.setS24(b, S::kDeltaT01, 0);
    im.setU16(b, S::kViscosity, 10); // 1.0 cSt
    im.setU16(b, S::kRoughness, 10); // 0.10 mm
    im.setU8(b, S::kMaterial1, 7);   // copper
    im.setU16(b, S::kThickness1, 9); // 0.9 mm
    im.setU8(b, S::kProduct, 1);     // other
    im.setU16(b, S::kC0, 1470);
    im.setU16(b, S::kDeltaC, 300);
    im.setU16(b, S::kFilter, 5);
    im.setU16(b, S::kMemory, 10);
    im.setS24(b, S::kFullScale, 100); // 10.0
    im.setU8(b, S::kDirection1, 0);   // +/-
    im.setU8(b, S::kPulseWeight, 1);  // dl
    im.setU8(b, S::kDirection2, 1);   // +
    im.setU8(b, S::kRelayType1, 0);
    im.setU8(b, S::kRelayType2, 0);
    im.setS24(b, S::kThreshold1, 100); // 10.0
    im.setS24(b, S::kThreshold2, 100);
    im.setU8(b, S::kProbeRef, 3);
    im.setU8(b, S::kPulseWidth, 2); // 50 ms
    im.setU8(b, S::kLowCut, 0);
    im.setU8(b, S::kPolarity1, 1); // normal
    im.setU8(b, S::kSlave, o.slave);
    im.setU8(b, S::kMeasureOn, 1); // zero crossing
    im.setU8(b, S::kUsDuration, 1);
    im.setText(b, S::kLine1, 16, "   KESTRANOL", ' ');
    im.setText(b, S::kLine2, 16, "", ' ');
    im.setU8(b, S::kBacklight, 1); // timed
    im.setU16(b, S::kMaterialSpeed1, 2730);
    im.setU8(b, S::kFirstScreen, 0);
    im.setU16(b, S::kCriticalReynolds, 2800);
    im.setU8(b, S::kLbr, 3);
    im.setU8(b, S::kChords, o.app == 1 ? 1 : 2);
    im.setU8(b, S::kGainType2, 2);
    im.setU8(b, S::kMargin2, 12);
    im.setU8(b, S::kPolarity2, 1);
    im.setS24(b, S::kDeltaT02, 0);
    im.setS24(b, S::kLength2, 2820);
    im.setS24(b, S::kAxial2, 2000);
    im.setU16(b, S::kCv1, 500); // 0.500
    im.setU16(b, S::kCv2, 500);
    im.setU8(b, S::kOutputType2, 2);        // sound speed
    im.setS24(b, S::kOutput2At4mA, 4000);   // 400.0
    im.setS24(b, S::kOutput2At20mA, 20000); // 2000.0
    im.setU8(b, S::kRelaySense1, 0);
    im.setU8(b, S::kRelaySense2, 0);
    im.setS24(b, S::kOuterDiameter2, 279);
    im.setU16(b, S::kThickness2, 9);
    im.setU8(b, S::kMaterial2, 7);
    im.setU8(b, S::kCoefficientQ1, 2); // +1
    im.setU8(b, S::kCoefficientQ2, 0); // -1
    im.setU8(b, S::kVolumeType1, 0);   // QT
    im.setU8(b, S::kVolumeType2, 0);
    im.setU8(b, S::kOutputType1, 0); // flow
    im.setS24(b, S::kOutput1At4mA, 0);
    im.setS24(b, S::kOutput1At20mA, 100); // 10.0
}

void loadFactory(CRegisterImage& im) {
    const int b = kFactoryBlock;
    namespace F = L::fac;
    im.setU8(b, F::kFunction, 0);           // measure
    im.setS24(b, F::kSimulatedFlow, 10000); // 10.000
    im.setU8(b, F::kRipple, 0);
    im.setU16(b, F::kAngleA, 0);
    im.setU8(b, F::kT0A, 0);
    im.setU8(b, F::kFrequencyA, 1); // 1 MHz
    im.setU16(b, F::kAngleB, 0);
    im.setU8(b, F::kT0B, 0);
    im.setU8(b, F::kFrequencyB, 1);
    im.setU16(b, F::kReferenceFlow, 0);
    im.setU8(b, F::kReferenceUnit, 0);
    for (int k = 0; k <= 10; ++k)
        im.setU16(b, F::kLinearisation + 2 * k, 1000); // 1.000
    im.setU8(b, F::kExternalCoefficient, 7);           // 0.7
    im.setU8(b, F::kGainMax, 80);
    im.setU8(b, F::kLanguage, 0);
    im.setU8(b, F::kTxDelay, 0);
    im.setU8(b, F::kTxRxMode1, 0);
    im.setU8(b, F::kAgcRate, 10);
    im.setU8(b, F::kRxSupply, 0);
    im.setU8(b, F::kTxSupply, 1);
    im.setText(b, F::kTextA, 6, "", ' ');
    im.setText(b, F::kTextB, 6, "", ' ');
    im.setU8(b, F::kTxRxMode2, 9);
    im.setU16(b, F::kDeltaTFilter, 50000); // 5000.0 ns
}

void loadSpecial(CRegisterImage& im, const SimOptions& o) {
    const int b = kSpecialBlock;
    namespace P = L::spc;
    im.setU8(b, P::kSerialWeek, 7);
    im.setU8(b, P::kSerialYear, 3);
    im.setU16(b, P::kSerialNumber, 1);
    im.setU8(b, P::kMaxPair, o.app);
    im.setU8(b, P::kModel, 0);
    im.setU8(b, P::kBoard, 1);
    im.setU8(b, P::kBoardWeek, 7);
    im.setU8(b, P::kBoardYear, 3);
    im.setU16(b, P::kBoardNumber, 1);
    im.setU8(b, P::kTestFunction, 0);
    im.setU8(b, P::kModels9To10, 0);
    // A meter leaves the factory allowed to be what it is: its own model and application.
    im.setU8(b, P::kModels1To8, 0x01);
    im.setU8(b, P::kApplications, 1 << (o.app - 1));
    im.setU8(b, P::kOem, 0);

    im.setText(kOemBlock, L::oem::kName, 16, "   CALYPTRON", ' ');
    im.setU8(kOemBlock, L::oem::kModel, 0);
    im.setU8(kOemBlock, L::oem::kMaxPair, o.app);

    im.setU16(kOutputBlock, L::out::kOutput1At4mA, 1160);
    im.setU16(kOutputBlock, L::out::kOutput1At20mA, 60500);
    im.setU16(kOutputBlock, L::out::kOutput2At4mA, 1160);
    im.setU16(kOutputBlock, L::out::kOutput2At20mA, 60500);
}

void loadIdentity(CRegisterImage& im, const SimOptions& o) {
    const std::string firmware = o.firmware.empty() ? defaultFirmwareVersion() : o.firmware;
    im.setU8(kIdentBlock, L::ident::kSlave, o.slave);
    im.setU16(kIdentBlock, L::ident::kDeviceCode, kDeviceCode);
    im.setText(kIdentBlock, L::ident::kFirmware, L::ident::kTextLength, firmware, '\0');
    im.setText(kIdentBlock, L::ident::kDescription, L::ident::kTextLength, kDescription, '\0');

    const int m = kMeasurementBlock;
    namespace M = L::meas;
    im.setText(m, M::kFirmware, M::kFirmwareLength, firmware, '\0');
    im.setText(m, M::kFamilyName, M::kFamilyNameLength, kFamilyName, '\0');
    im.setU8(m, M::kChords, o.app == 1 ? 1 : 2);
    im.setU8(m, M::kTwoPipes, o.app == 3 ? 1 : 0);
    im.setU8(m, M::kTwoChords, o.app == 2 ? 1 : 0);
    im.setU16(m, M::kFaults, static_cast<int>(o.faults & 0xFFFF));
    im.setU8(m, M::kDiametersValid, 1);
}

// What block 0x4000 allows the meter to be: models 1 to 8 in byte 14, 9 and 10 in byte 13,
// applications (one chord, two chords, two pipes) in byte 15.
bool modelEnabled(const CRegisterImage& im, int model) {
    namespace P = L::spc;
    if (model >= 0 && model < 8)
        return (im.u8(kSpecialBlock, P::kModels1To8) >> model & 1) != 0;
    if (model == 8 || model == 9)
        return (im.u8(kSpecialBlock, P::kModels9To10) >> (model - 8) & 1) != 0;
    return false;
}

bool applicationEnabled(const CRegisterImage& im, int application) {
    return application >= 1 && application <= 3 &&
           (im.u8(kSpecialBlock, L::spc::kApplications) >> (application - 1) & 1) != 0;
}

// The OEM block's choice when block 0x4000 enables it, else the special settings' own, else
// nothing (-1): a value the meter is not allowed to be is never reported.
int reportedModel(const CRegisterImage& im) {
    const int oem = im.u8(kOemBlock, L::oem::kModel);
    if (modelEnabled(im, oem))
        return oem;
    const int own = im.u8(kSpecialBlock, L::spc::kModel);
    return modelEnabled(im, own) ? own : -1;
}

int reportedApplication(const CRegisterImage& im) {
    const int oem = im.u8(kOemBlock, L::oem::kMaxPair);
    if (applicationEnabled(im, oem))
        return oem;
    const int own = im.u8(kSpecialBlock, L::spc::kMaxPair);
    return applicationEnabled(im, own) ? own : -1;
}

void reportIdentity(CRegisterImage& im) {
    namespace M = L::meas;
    const int m = kMeasurementBlock;
    const int application = reportedApplication(im);
    if (application > 0) {
        im.setU8(m, M::kTwoPipes, application == 3 ? 1 : 0);
        im.setU8(m, M::kTwoChords, application == 2 ? 1 : 0);
    }
    const int model = reportedModel(im);
    std::string name = kFamilyName;
    if (model >= 0) {
        char code[8];
        std::snprintf(code, sizeof code, " M%02d", model + 1);
        name += code;
    }
    im.setText(m, M::kFamilyName, M::kFamilyNameLength, name, '\0');
}

} // namespace

std::string defaultFirmwareVersion() {
    return ks::version::versionPrefix() + "3.07";
}

void loadMeterDefaults(CRegisterImage& image, const SimOptions& options) {
    SimOptions o = options;
    o.app = std::clamp(o.app, 1, 3);
    loadSettings(image, o);
    loadFactory(image);
    loadSpecial(image, o);
    loadIdentity(image, o);
    refreshDerivedFields(image);
}

void refreshDerivedFields(CRegisterImage& im) {
    namespace M = L::meas;
    namespace S = L::set;
    const int m = kMeasurementBlock;
    const int s = kSettingsBlock;
    const int dir1 = std::min<int>(im.u8(s, S::kDirection1), 15);
    const int dir2 = std::min<int>(im.u8(s, S::kDirection2), 15);
    const int weight = std::min<int>(im.u8(s, S::kPulseWeight), 15);
    im.setU8(m, M::kDirections, dir1 << 4 | dir2);
    im.setU8(m, M::kPulseWeights, weight << 4 | weight);
    im.setU8(m, M::kFlowUnit, im.u8(s, S::kFlowUnit));
    im.setU8(m, M::kChords, std::clamp<int>(im.u8(s, S::kChords), 1, 2));
    im.setU8(m, M::kKhMode, im.u8(s, S::kKhType));
    im.setU8(m, M::kProbeType, im.u8(s, S::kProbeRef));
    im.setU8(m, M::kMargin1, std::min<int>(im.u8(s, S::kMargin1), 89));
    im.setU8(m, M::kMargin2, std::min<int>(im.u8(s, S::kMargin2), 89));
    im.setU8(m, M::kGainType1, im.u8(s, S::kGainType1));
    im.setU8(m, M::kGainType2, im.u8(s, S::kGainType2));
    im.setU8(m, M::kTotaliser1Flow, im.u8(s, S::kVolumeType1));
    im.setU8(m, M::kTotaliser2Flow, im.u8(s, S::kVolumeType2));

    namespace P = L::spc;
    const int week = im.u8(kSpecialBlock, P::kSerialWeek);
    const int year = im.u8(kSpecialBlock, P::kSerialYear);
    const int number = im.u16(kSpecialBlock, P::kSerialNumber);
    im.setU8(m, M::kSerialWeek, week);
    im.setU8(m, M::kSerialYear, year);
    im.setU16(m, M::kSerialNumber, number);
    im.setU8(m, M::kBoard, im.u8(kSpecialBlock, P::kBoard));
    reportIdentity(im);
    im.setU8(kIdentBlock, L::ident::kSerialWeek, week);
    im.setU8(kIdentBlock, L::ident::kSerialYear, year);
    im.setU32(kIdentBlock, L::ident::kSerialNumber, static_cast<std::uint32_t>(number));

    namespace E = L::echo;
    im.setU8(kEchoBlock, E::kChord1 + E::kPolarity, im.u8(s, S::kPolarity1));
    im.setU8(kEchoBlock, E::kChord1 + E::kMargin, im.u8(s, S::kMargin1));
    if (im.u8(m, M::kChords) > 1) {
        im.setU8(kEchoBlock, E::kChord2 + E::kPolarity, im.u8(s, S::kPolarity2));
        im.setU8(kEchoBlock, E::kChord2 + E::kMargin, im.u8(s, S::kMargin2));
    }
}

} // namespace ks::sim
