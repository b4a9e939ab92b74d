#pragma once

// Control ids of the measurement dialog (template 121). A field's id names its label; the
// value shows in id + 1 and the unit in id + 2.
namespace ks::measure {

namespace id {
// Flow group (untitled).
inline constexpr int kFlow = 1145; // QT in a two-pipe meter
inline constexpr int kFlowQT = 1371;
inline constexpr int kFlowQ1 = 1355;
inline constexpr int kFlowQ2 = 1358;
inline constexpr int kMeanVelocity = 1512;
inline constexpr int kMeanSoundSpeed = 1059;
inline constexpr int kFlowUnit = 1148; // hidden: index into the flow unit list

// Totalisers.
inline constexpr int kTotaliserGroup = 1570;
inline constexpr int kTotaliser1 = 1443;
inline constexpr int kTotaliser2 = 1446;
inline constexpr int kDirection1 = 1408;
inline constexpr int kDirection2 = 1409;
inline constexpr int kPulseWeight1 = 1343;
inline constexpr int kPulseWeight2 = 1344;
inline constexpr int kTotaliserFlow1 = 1491;
inline constexpr int kTotaliserFlow2 = 1492;

// Kh.
inline constexpr int kKhGroup = 1566;
inline constexpr int kKh1 = 1239;
inline constexpr int kKh2 = 1242;
inline constexpr int kKhMode = 1473;

// Chord 1.
inline constexpr int kChord1Group = 1563;
inline constexpr int kTransit1 = 1432;
inline constexpr int kTransit1Full = 1438; // full precision, for the ESC view
inline constexpr int kDeltaT1 = 1179;
inline constexpr int kDeltaT1Full = 1185;
inline constexpr int kVelocity1 = 1515;
inline constexpr int kSoundSpeed1 = 1062;
inline constexpr int kGain1 = 1219;
inline constexpr int kGainType1 = 1469;
inline constexpr int kMargin1 = 1263;
inline constexpr int kQuality1 = 1229;
inline constexpr int kEscGainUp1 = 1215;
inline constexpr int kEscGainDown1 = 1216;

// Chord 2.
inline constexpr int kChord2Group = 1564;
inline constexpr int kTransit2 = 1435;
inline constexpr int kTransit2Full = 1439;
inline constexpr int kDeltaT2 = 1182;
inline constexpr int kDeltaT2Full = 1186;
inline constexpr int kVelocity2 = 1518;
inline constexpr int kSoundSpeed2 = 1065;
inline constexpr int kGain2 = 1222;
inline constexpr int kGainType2 = 1471;
inline constexpr int kMargin2 = 1267;
inline constexpr int kQuality2 = 1232;
inline constexpr int kEscGainUp2 = 1217;
inline constexpr int kEscGainDown2 = 1218;

// Probe.
inline constexpr int kProbeGroup = 1569;
inline constexpr int kProbeName = 1416;
inline constexpr int kProbeType = 1382;
inline constexpr int kDiametersValid = 1419;
inline constexpr int kProbeDiameter1 = 1164;
inline constexpr int kProbeDiameter2 = 1167;

// Version.
inline constexpr int kVersionGroup = 1571;
inline constexpr int kFamilyName = 1458;
inline constexpr int kFirmware = 1506;
inline constexpr int kBoard = 1504;
inline constexpr int kSerialNumber = 1325;
inline constexpr int kSerialFirst = 1323;
inline constexpr int kSerialSecond = 1322;
inline constexpr int kSerialSequence = 1324;

// Top lines and the graph.
inline constexpr int kCommunicationStatus = 1114;
inline constexpr int kMeterClock = 1138;
inline constexpr int kFaultLine = 1149;
inline constexpr int kFaultFlags = 1150;
inline constexpr int kRecordingStatus = 1192;
inline constexpr int kGraph = 1572;

// Meter layout flags.
inline constexpr int kChordCount = 1126;
inline constexpr int kTwoPipes = 1045;
inline constexpr int kSecondChord = 1046;

// Fields of other blocks. The flow full scale lives in the main settings block; the
// totaliser command is written, never shown. The borrowed groups keep their own ids,
// away from the template's controls.
inline constexpr int kFullScale = 3001;
inline constexpr int kTotaliserCommand = 3002;
inline constexpr int kSpecialFirst = 3100; // block 0x4000 fields count up from here
inline constexpr int kOemFlag = 3199;      // block 0x4000, byte 16
inline constexpr int kOemName = 3200;      // block 0x122F, byte 0
inline constexpr int kFactoryFirst = 3300; // block 0x2200 fields count up from here

// Buttons.
inline constexpr int kPrintButton = 1607;
inline constexpr int kRecordButton = 1617;
inline constexpr int kExportButton = 1620;
inline constexpr int kEscButton = 1608;

// The ESC view (template 134).
inline constexpr int kEscDeltaTGraph = 1573;
inline constexpr int kEscDeltaTMean = 1523;
inline constexpr int kEscTransitGraph = 1574;
inline constexpr int kEscTransitMean = 1597;
inline constexpr int kEscGainUp = 1530;
inline constexpr int kEscGainDown = 1533;
inline constexpr int kEscWaterTemperature = 1590;
} // namespace id

// Register blocks the dialog reads and writes, by their start address.
namespace block {
inline constexpr int kMeasurement = 0x0010;
inline constexpr int kMainSettings = 0x1100;
inline constexpr int kOemName = 0x122F;
inline constexpr int kFactory = 0x2200;
inline constexpr int kTotaliserCommand = 0x2306;
inline constexpr int kSpecial = 0x4000;
// Not on the meter: the graph's points, kept with the other blocks of a sample.
inline constexpr int kGraphHistory = 0xFFFFFF;
} // namespace block

// Numbers of the texts the dialog uses beyond its fields' own.
namespace text {
inline constexpr int kCaption = 294;    // "Mesure"
inline constexpr int kPipe1 = 77;       // "Conduite 1"
inline constexpr int kPipe2 = 78;       // "Conduite 2"
inline constexpr int kChord1 = 80;      // "Corde 1"
inline constexpr int kChord2 = 81;      // "Corde 2"
inline constexpr int kMargin = 167;     // "Marge"
inline constexpr int kTotaliser1 = 297; // "Tot. 1"
inline constexpr int kTotaliser2 = 298; // "Tot. 2"
inline constexpr int kMetresPerSecond = 200;
inline constexpr int kFlowUnits = 60;      // "l/s" .. "m3/j"
inline constexpr int kPulseWeights = 40;   // "cl" .. "100m3"
inline constexpr int kDirections = 59;     // "+/-", "+", "-"
inline constexpr int kFlowSelections = 61; // "QT", "Q1", "Q2"
inline constexpr int kKhModes = 46;        // "Auto", "Manu"
inline constexpr int kGainTypes = 51;      // "Manuel", "Automatique", "E.S.C."
inline constexpr int kFaults = 26;         // "Pas de Défaut" .. "Défaut V"
inline constexpr int kBoards = 50;
inline constexpr int kCommunicationStates = 25;
} // namespace text

// Application types: what the meter measures with.
inline constexpr int kOneChord = 1;
inline constexpr int kTwoChords = 2;
inline constexpr int kTwoPipes = 3;

// The "Application" option: what the graph plots and the fault line names.
inline constexpr int kFlowApplication = 0;
inline constexpr int kSpeedApplication = 1;

} // namespace ks::measure
