#pragma once

// Byte offsets of the values the simulated meter produces or reads, inside their blocks.
namespace ks::sim::layout {

// Measurement block (0x0010).
namespace meas {
inline constexpr int kFlow = 0;            // f32, QT in a two-pipe meter
inline constexpr int kMeanVelocity = 4;    // f32, m/s
inline constexpr int kTotaliser1 = 8;      // u32, pulses
inline constexpr int kTotaliser2 = 12;     // u32, pulses
inline constexpr int kDirections = 16;     // high nibble totaliser 1, low nibble totaliser 2
inline constexpr int kPulseWeights = 17;   // same split
inline constexpr int kFlowUnit = 18;       // index
inline constexpr int kKhMode = 21;         // 0 auto, 1 manual
inline constexpr int kFaults = 22;         // 16-bit flags
inline constexpr int kKh1 = 26;            // f32
inline constexpr int kDeltaT1 = 30;        // f32, ns
inline constexpr int kTransit1 = 34;       // f32, µs
inline constexpr int kClock = 38;          // six clock bytes
inline constexpr int kProbeType = 45;      // index
inline constexpr int kDiametersValid = 47; // non-zero: yes
inline constexpr int kProbeDiameter1 = 48; // f32, mm
inline constexpr int kGain1 = 52;          // s8, dB
inline constexpr int kQuality1 = 54;       // s8, %
inline constexpr int kFirmware = 56;       // 12 characters
inline constexpr int kFirmwareLength = 12;
inline constexpr int kBoard = 68;         // index
inline constexpr int kEscGainUp1 = 72;    // u16, hundredths of dB
inline constexpr int kEscGainDown1 = 74;  // u16
inline constexpr int kSerialWeek = 76;    // s8
inline constexpr int kSerialYear = 77;    // s8
inline constexpr int kSerialNumber = 78;  // u16
inline constexpr int kDeltaT2 = 82;       // f32, ns
inline constexpr int kTransit2 = 86;      // f32, µs
inline constexpr int kVelocity1 = 90;     // f32, m/s
inline constexpr int kVelocity2 = 94;     // f32, m/s
inline constexpr int kSoundSpeed = 98;    // f32, m/s
inline constexpr int kSoundSpeed1 = 102;  // f32
inline constexpr int kSoundSpeed2 = 106;  // f32
inline constexpr int kQuality2 = 110;     // s8, %
inline constexpr int kGain2 = 112;        // s8, dB
inline constexpr int kEscGainUp2 = 114;   // u16
inline constexpr int kEscGainDown2 = 116; // u16
inline constexpr int kChords = 118;       // 1 or 2
inline constexpr int kMargin1 = 120;      // s8, dB
inline constexpr int kMargin2 = 122;      // s8, dB
inline constexpr int kGainType1 = 124;    // index
inline constexpr int kGainType2 = 126;    // index
inline constexpr int kFamilyName = 128;   // 16 characters
inline constexpr int kFamilyNameLength = 16;
inline constexpr int kFlow1 = 144;          // f32, two-pipe meter
inline constexpr int kFlow2 = 148;          // f32, two-pipe meter
inline constexpr int kKh2 = 152;            // f32
inline constexpr int kProbeDiameter2 = 156; // f32, mm
inline constexpr int kTotaliser1Flow = 160; // index QT, Q1, Q2
inline constexpr int kTotaliser2Flow = 161;
inline constexpr int kTwoPipes = 162;  // flag
inline constexpr int kTwoChords = 163; // flag
} // namespace meas

// Main settings block (0x1100). Decimals in brackets are the scale of the stored integer.
namespace set {
inline constexpr int kMounting = 0;
inline constexpr int kOuterDiameter1 = 1; // s24 [1] mm
inline constexpr int kFlowUnit = 4;
inline constexpr int kKhType = 5;  // 0 automatic, 1 manual
inline constexpr int kKh = 6;      // u16 [3]
inline constexpr int kLength1 = 8; // s24 [1] mm
inline constexpr int kAxial1 = 11; // s24 [1] mm
inline constexpr int kGainType1 = 14;
inline constexpr int kMargin1 = 15;
inline constexpr int kDeltaT01 = 16;  // s24 [2] ns
inline constexpr int kViscosity = 19; // u16 [1] cSt
inline constexpr int kRoughness = 21; // u16 [2] mm
inline constexpr int kMaterial1 = 23;
inline constexpr int kThickness1 = 24; // u16 [1] mm
inline constexpr int kProduct = 26;    // 0 water, 1 other
inline constexpr int kC0 = 27;         // u16 m/s
inline constexpr int kDeltaC = 29;     // u16 m/s
inline constexpr int kFilter = 31;     // u16
inline constexpr int kMemory = 33;     // u16
inline constexpr int kFullScale = 35;  // s24 [1]
inline constexpr int kDirection1 = 38;
inline constexpr int kPulseWeight = 39;
inline constexpr int kDirection2 = 40;
inline constexpr int kRelayType1 = 41;
inline constexpr int kRelayType2 = 42;
inline constexpr int kThreshold1 = 43; // s24 [1]
inline constexpr int kThreshold2 = 46; // s24 [1]
inline constexpr int kProbeRef = 49;
inline constexpr int kPulseWidth = 50;
inline constexpr int kLowCut = 51;
inline constexpr int kPolarity1 = 52;
inline constexpr int kSlave = 53;
inline constexpr int kMeasureOn = 54;
inline constexpr int kUsDuration = 55;
inline constexpr int kLine1 = 56; // 16 characters
inline constexpr int kLine2 = 72; // 16 characters
inline constexpr int kBacklight = 88;
inline constexpr int kMaterialSpeed1 = 89; // u16 m/s
inline constexpr int kFirstScreen = 91;
inline constexpr int kCriticalReynolds = 92; // u16
inline constexpr int kLbr = 94;
inline constexpr int kChords = 96;
inline constexpr int kGainType2 = 97;
inline constexpr int kMargin2 = 98;
inline constexpr int kPolarity2 = 99;
inline constexpr int kDeltaT02 = 100; // s24 [2] ns
inline constexpr int kLength2 = 103;  // s24 [1] mm
inline constexpr int kAxial2 = 106;   // s24 [1] mm
inline constexpr int kCv1 = 109;      // u16 [3]
inline constexpr int kCv2 = 111;      // u16 [3]
inline constexpr int kOutputType2 = 113;
inline constexpr int kOutput2At4mA = 114;  // s24 [1]
inline constexpr int kOutput2At20mA = 117; // s24 [1]
inline constexpr int kRelaySense1 = 120;
inline constexpr int kRelaySense2 = 121;
inline constexpr int kOuterDiameter2 = 122; // s24 [1] mm
inline constexpr int kThickness2 = 125;     // u16 [1] mm
inline constexpr int kMaterial2 = 127;
inline constexpr int kCoefficientQ1 = 128; // index of -1, +0, +1
inline constexpr int kCoefficientQ2 = 129;
inline constexpr int kVolumeType1 = 130; // index QT, Q1, Q2
inline constexpr int kVolumeType2 = 131;
inline constexpr int kOutputType1 = 132;
inline constexpr int kOutput1At4mA = 133;  // s24 [1]
inline constexpr int kOutput1At20mA = 136; // s24 [1]
} // namespace set

// Factory block (0x2200).
namespace fac {
inline constexpr int kFunction = 0;      // 0 measure, 1 simulation
inline constexpr int kSimulatedFlow = 1; // s24 [3], in the flow unit
inline constexpr int kRipple = 4;        // %
inline constexpr int kAngleA = 5;        // u16 [2]
inline constexpr int kT0A = 7;           // [1] µs
inline constexpr int kFrequencyA = 8;
inline constexpr int kAngleB = 9;
inline constexpr int kT0B = 11;
inline constexpr int kFrequencyB = 12;
inline constexpr int kReferenceFlow = 13; // u16
inline constexpr int kReferenceUnit = 15;
inline constexpr int kLinearisation = 16;       // 11 x u16 [3]
inline constexpr int kExternalCoefficient = 38; // [1]
inline constexpr int kGainMax = 39;             // dB
inline constexpr int kLanguage = 40;
inline constexpr int kTxDelay = 41;
inline constexpr int kTxRxMode1 = 42;
inline constexpr int kAgcRate = 43;
inline constexpr int kRxSupply = 44;
inline constexpr int kTxSupply = 45;
inline constexpr int kTextA = 46; // 6 characters
inline constexpr int kTextB = 52; // 6 characters
inline constexpr int kTxRxMode2 = 58;
inline constexpr int kDeltaTFilter = 59; // u16 [1] ns
} // namespace fac

// Special settings block (0x4000).
namespace spc {
inline constexpr int kSerialWeek = 0;
inline constexpr int kSerialYear = 1;
inline constexpr int kSerialNumber = 2; // u16
inline constexpr int kMaxPair = 4;      // 1 one chord, 2 two chords, 3 two pipes
inline constexpr int kModel = 6;
inline constexpr int kBoard = 7;
inline constexpr int kBoardWeek = 8;
inline constexpr int kBoardYear = 9;
inline constexpr int kBoardNumber = 10; // u16
inline constexpr int kTestFunction = 12;
inline constexpr int kModels9To10 = 13;  // bits 0, 1
inline constexpr int kModels1To8 = 14;   // bits 0..7
inline constexpr int kApplications = 15; // bit 0 one chord, 1 two chords, 2 two pipes
inline constexpr int kOem = 16;
} // namespace spc

// OEM identification block (0x122F).
namespace oem {
inline constexpr int kName = 0; // 16 characters
inline constexpr int kModel = 16;
inline constexpr int kMaxPair = 17;
} // namespace oem

// Output adjustment points (0x3000), u16 each.
namespace out {
inline constexpr int kOutput1At4mA = 6;
inline constexpr int kOutput1At20mA = 8;
inline constexpr int kOutput2At4mA = 10;
inline constexpr int kOutput2At20mA = 12;
} // namespace out

// Special probes (0x5000).
namespace prb {
inline constexpr int kName1 = 0;  // 8 characters
inline constexpr int kAngle1 = 8; // u16 [2]
inline constexpr int kName2 = 10;
inline constexpr int kAngle2 = 18;
} // namespace prb

// Echo tables (0x0B00): per chord an "Inverse" and a "Normal" table of ten 6-byte rows
// (count, minimum gain, f32 time in µs), then the chord's polarity and margin.
namespace echo {
inline constexpr int kChord1 = 0;
inline constexpr int kChord2 = 124;
inline constexpr int kInverseTable = 0; // relative to the chord
inline constexpr int kNormalTable = 60;
inline constexpr int kPolarity = 120;
inline constexpr int kMargin = 122;
inline constexpr int kRows = 10;
inline constexpr int kRowSize = 6;
} // namespace echo

// Identification block (0xFF00).
namespace ident {
inline constexpr int kSlave = 1;
inline constexpr int kDeviceCode = 2; // u16
inline constexpr int kSerialWeek = 4;
inline constexpr int kSerialYear = 5;
inline constexpr int kSerialNumber = 6; // u32
inline constexpr int kFirmware = 10;    // 20 characters
inline constexpr int kDescription = 30; // 20 characters
inline constexpr int kTextLength = 20;
} // namespace ident

} // namespace ks::sim::layout
