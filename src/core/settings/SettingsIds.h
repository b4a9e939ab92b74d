#pragma once

// Control ids of the settings sheet's fields (label id; value id + 1, unit id + 2) and the
// codes of the blocks it reads and writes.
namespace ks::settings {

namespace block {
inline constexpr int kMeasurement = 0x0010;
inline constexpr int kMain = 0x1100;
inline constexpr int kFactory = 0x2200;
inline constexpr int kClock = 0x2301;
inline constexpr int kTotaliser = 0x2306;
inline constexpr int kOutput = 0x3000;
inline constexpr int kSpecial = 0x4000;
inline constexpr int kProbes = 0x5000;
} // namespace block

namespace id {
// General page.
inline constexpr int kGroupCom = 2000;
inline constexpr int kSlave = 2010;
inline constexpr int kGroupMeasure = 2020;
inline constexpr int kFilter = 2030;
inline constexpr int kMemory = 2040;
inline constexpr int kGroupDisplay = 2050;
inline constexpr int kLine1 = 2060;
inline constexpr int kLine2 = 2070;
inline constexpr int kFirstScreen = 2080;
inline constexpr int kBacklight = 2090;
inline constexpr int kFirmware = 2100;
inline constexpr int kGroupInit = 2110;
inline constexpr int kSyncClock = 2120;
inline constexpr int kResetTotaliser1 = 2130;
inline constexpr int kResetTotaliser2 = 2140;

// Probe/Echo page.
inline constexpr int kGroupProbe = 2200;
inline constexpr int kChords = 2210;
inline constexpr int kProbe = 2220;    // the probe list, filled from the catalogue
inline constexpr int kProbeRef = 2230; // IDC_CH_REF_SONDE: index of the selected probe
inline constexpr int kMounting = 2240;
inline constexpr int kMeasureOn = 2250;
inline constexpr int kUsDuration = 2260;
inline constexpr int kGroupChord1 = 2300;
inline constexpr int kPolarity1 = 2310;
inline constexpr int kGainType1 = 2320;
inline constexpr int kMargin1 = 2330;
inline constexpr int kLength1 = 2340;
inline constexpr int kAxial1 = 2350;
inline constexpr int kCv1 = 2360;
inline constexpr int kDeltaT01 = 2370;
inline constexpr int kGroupChord2 = 2400;
inline constexpr int kPolarity2 = 2410;
inline constexpr int kGainType2 = 2420;
inline constexpr int kMargin2 = 2430;
inline constexpr int kLength2 = 2440;
inline constexpr int kAxial2 = 2450;
inline constexpr int kCv2 = 2460;
inline constexpr int kDeltaT02 = 2470;

// Pipe-Product page.
inline constexpr int kGroupPipe1 = 2500;
inline constexpr int kDiameter1 = 2510;
inline constexpr int kMaterial1 = 2520;
inline constexpr int kMaterialSpeed = 2530;
inline constexpr int kThickness1 = 2540;
inline constexpr int kGroupPipe2 = 2550;
inline constexpr int kDiameter2 = 2560;
inline constexpr int kMaterial2 = 2570;
inline constexpr int kThickness2 = 2580;
inline constexpr int kGroupProduct = 2600;
inline constexpr int kProduct = 2610;
inline constexpr int kC0 = 2620;
inline constexpr int kDeltaC = 2630;
inline constexpr int kGroupKh = 2650;
inline constexpr int kKhType = 2660;
inline constexpr int kKh = 2670;
inline constexpr int kViscosity = 2680;
inline constexpr int kRoughness = 2690;
inline constexpr int kReynolds = 2700;
inline constexpr int kLbr = 2710;

// Flow/Outputs page.
inline constexpr int kGroupFlow = 2800;
inline constexpr int kFlowUnit = 2810;
inline constexpr int kQMax = 2820;
inline constexpr int kQCut = 2830;
inline constexpr int kGroupQt = 2850;
inline constexpr int kCoefficientA = 2860;
inline constexpr int kCoefficientB = 2870;
inline constexpr int kQtFormula = 2880; // IDC_CH_QT_IMP_1: the formula text for the report
inline constexpr int kGroupVolume1 = 2900;
inline constexpr int kDirection1 = 2910;
inline constexpr int kVolumeType1 = 2920;
inline constexpr int kGroupVolume2 = 2930;
inline constexpr int kDirection2 = 2940;
inline constexpr int kVolumeType2 = 2950;
inline constexpr int kGroupPulse = 2960;
inline constexpr int kPulseWeight = 2970;
inline constexpr int kPulseWidth = 2980;
inline constexpr int kGroupRelay1 = 3000;
inline constexpr int kRelayType1 = 3010;
inline constexpr int kThreshold1 = 3020;
inline constexpr int kRelaySense1 = 3030;
inline constexpr int kGroupRelay2 = 3040;
inline constexpr int kRelayType2 = 3050;
inline constexpr int kThreshold2 = 3060;
inline constexpr int kRelaySense2 = 3070;
inline constexpr int kGroupOutput1 = 3100;
inline constexpr int kOutputType1 = 3110;
inline constexpr int kOutput1At4mA = 3120;
inline constexpr int kOutput1At20mA = 3130;
inline constexpr int kGroupOutput2 = 3140;
inline constexpr int kOutputType2 = 3150;
inline constexpr int kOutput2At4mA = 3160;
inline constexpr int kOutput2At20mA = 3170;

// Unshown values of the other blocks.
inline constexpr int kTwoPipes = 3200;      // IDC_CH_BICON
inline constexpr int kTwoChords = 3210;     // IDC_CH_BICORDE
inline constexpr int kClockToSet = 3220;    // RAZ_DATE_HEURE
inline constexpr int kTotaliserWord = 3230; // RAZ_TOT
inline constexpr int kProbeText1 = 3240;
inline constexpr int kProbeAngle1 = 3250;
inline constexpr int kProbeText2 = 3260;
inline constexpr int kProbeAngle2 = 3270;
} // namespace id

// Factory settings (block 0x2200).
namespace factory {
inline constexpr int kFunction = 4000;
inline constexpr int kSimulatedFlow = 4010;
inline constexpr int kRipple = 4020;
inline constexpr int kAngleA = 4030;
inline constexpr int kT0A = 4040;
inline constexpr int kFrequencyA = 4050;
inline constexpr int kAngleB = 4060;
inline constexpr int kT0B = 4070;
inline constexpr int kFrequencyB = 4080;
inline constexpr int kReferenceFlow = 4090;
inline constexpr int kReferenceUnit = 4100;
inline constexpr int kCoefficient0 = 4110; // + 10 k for "Coef k0%", k = 0 .. 10
inline constexpr int kExternalCoefficient = 4230;
inline constexpr int kGainMax = 4240;
inline constexpr int kLanguage = 4250;
inline constexpr int kTxDelay = 4260;
inline constexpr int kTxRxMode1 = 4270;
inline constexpr int kAgcRate = 4280;
inline constexpr int kRxSupply = 4290;
inline constexpr int kTxSupply = 4300;
inline constexpr int kTextA = 4310;
inline constexpr int kTextB = 4320;
inline constexpr int kTxRxMode2 = 4330;
inline constexpr int kDeltaTFilter = 4340;
} // namespace factory

// Special settings (block 0x4000).
namespace special {
inline constexpr int kSerialWeek = 4500;
inline constexpr int kSerialYear = 4510;
inline constexpr int kSerialNumber = 4520;
inline constexpr int kMaxPair = 4530;
inline constexpr int kModel = 4540;
inline constexpr int kBoard = 4550;
inline constexpr int kBoardWeek = 4560;
inline constexpr int kBoardYear = 4570;
inline constexpr int kBoardNumber = 4580;
inline constexpr int kTestFunction = 4590;
inline constexpr int kModel9 = 4600;    // models 9 and 10: + 10
inline constexpr int kModel1 = 4620;    // models 1 .. 8: + 10 each
inline constexpr int kMonochord = 4700; // application enable flags: + 10 each
inline constexpr int kOem = 4730;
} // namespace special

// Application types of a meter.
inline constexpr int kOneChord = 1;
inline constexpr int kTwoChords = 2;
inline constexpr int kTwoPipes = 3;

} // namespace ks::settings
