#pragma once

// Text numbers (language table) of the settings sheet's labels, units, lists and messages.
namespace ks::settings::text {

// Page titles and print headings.
inline constexpr int kGeneral = 146;
inline constexpr int kProbeEcho = 269;
inline constexpr int kPipeProduct = 76;
inline constexpr int kFlowOutputs = 91;
inline constexpr int kVelocityOutputs = 276;
inline constexpr int kProbe = 268;
inline constexpr int kFlow = 90;

// Groups.
inline constexpr int kCom = 75;
inline constexpr int kMeasure = 294;
inline constexpr int kDeviceName = 210;
inline constexpr int kInitialisation = 293;
inline constexpr int kChord1 = 80;
inline constexpr int kChord2 = 81;
inline constexpr int kPipe1 = 77;
inline constexpr int kPipe2 = 78;
inline constexpr int kQtCalculation = 11;
inline constexpr int kVolume1 = 339;
inline constexpr int kVolume2 = 340;
inline constexpr int kRelay1 = 251;
inline constexpr int kRelay2 = 252;
inline constexpr int kOutput1 = 257;
inline constexpr int kOutput2 = 258;
inline constexpr int kVelocity = 335;

// Labels.
inline constexpr int kJBusNumber = 152;
inline constexpr int kFilter = 139;
inline constexpr int kMemory = 177;
inline constexpr int kLine1 = 160;
inline constexpr int kLine2 = 161;
inline constexpr int kFirstScreen = 1;
inline constexpr int kBacklight = 254;
inline constexpr int kFirmware = 140;
inline constexpr int kSyncClock = 280;
inline constexpr int kResetTotaliser1 = 248;
inline constexpr int kResetTotaliser2 = 249;
inline constexpr int kChordCount = 211;
inline constexpr int kMounting = 197;
inline constexpr int kMeasureOn = 179;
inline constexpr int kUsDuration = 107;
inline constexpr int kPolarity = 232;
inline constexpr int kGainType = 321;
inline constexpr int kMargin = 167;
inline constexpr int kGain = 142;
inline constexpr int kLength = 164;
inline constexpr int kAxial = 88;
inline constexpr int kCv = 84;
inline constexpr int kDeltaT01 = 105;
inline constexpr int kDeltaT02 = 106;
inline constexpr int kOuterDiameter = 102;
inline constexpr int kMaterial = 168;
inline constexpr int kMaterialSpeed = 14;
inline constexpr int kThickness = 110;
inline constexpr int kProduct = 236;
inline constexpr int kC0 = 10;
inline constexpr int kDeltaC = 95;
inline constexpr int kKhType = 322;
inline constexpr int kKh = 153;
inline constexpr int kViscosity = 334;
inline constexpr int kRoughness = 256;
inline constexpr int kReynolds = 255;
inline constexpr int kLbr = 158;
inline constexpr int kFlowUnitLabel = 327;
inline constexpr int kQMax = 243;
inline constexpr int kVMax = 338;
inline constexpr int kQCut = 241;
inline constexpr int kVCut = 331;
inline constexpr int kQtEquals = 246;
inline constexpr int kTimesQ1 = 238;
inline constexpr int kTimesQ2 = 240;
inline constexpr int kDirection = 266;
inline constexpr int kType = 306;
inline constexpr int kPulseWeight = 231;
inline constexpr int kPulseWidth = 157;
inline constexpr int kThreshold = 267;
inline constexpr int k4mA = 3;
inline constexpr int k20mA = 2;

// Factory and special settings.
inline constexpr int kFunction = 141;
inline constexpr int kQSimulation = 244;
inline constexpr int kRipple = 221;
inline constexpr int kAngle = 275;
inline constexpr int kT0 = 278;
inline constexpr int kFrequency = 277;
inline constexpr int kQRef = 242;
inline constexpr int kExternalCoefficient = 74;
inline constexpr int kGainMax = 145;
inline constexpr int kLanguage = 156;
inline constexpr int kTxDelay = 253;
inline constexpr int kTxRxMode1 = 193;
inline constexpr int kTxRxMode2 = 194;
inline constexpr int kAgcRate = 82;
inline constexpr int kRxSupply = 5;
inline constexpr int kTxSupply = 6;
inline constexpr int kText = 279;
inline constexpr int kDeltaTFilter = 97;
inline constexpr int kSerialNumber = 214;
inline constexpr int kBoardSerialNumber = 215;
inline constexpr int kMaxPair = 222;
inline constexpr int kDeviceType = 307;
inline constexpr int kBoard = 12;
inline constexpr int kOem = 296;

// Units.
inline constexpr int kCycle = 85;
inline constexpr int kDb = 89;
inline constexpr int kMm = 186;
inline constexpr int kNs = 213;
inline constexpr int kMs = 200; // m/s
inline constexpr int kCst = 173;
inline constexpr int kPercent = 233;
inline constexpr int kDegree = 94;
inline constexpr int kUs = 328;
inline constexpr int kMsUnit = 205; // ms

// Lists.
inline constexpr int kFirstScreenOneChord = 17;
inline constexpr int kFirstScreenTwoPipes = 18;
inline constexpr int kFirstScreenTwoChords = 19;
inline constexpr int kFirstScreenVelocity = 20;
inline constexpr int kSupplies = 21;
inline constexpr int kAutoManual = 23;
inline constexpr int kCoefficients = 24;
inline constexpr int kTestFunctions = 27;
inline constexpr int kFunctionList = 28;
inline constexpr int kFrequencies = 29;
inline constexpr int kMeterLanguages = 31;
inline constexpr int kPulseWidths = 33;
inline constexpr int kMaterialList = 34;
inline constexpr int kTxRxModes = 35;
inline constexpr int kMountingList = 36;
inline constexpr int kNoYes = 37;
inline constexpr int kYesNo = 39;
inline constexpr int kPulseWeights = 40;
inline constexpr int kPolarityList = 41;
inline constexpr int kProductList = 42;
inline constexpr int kBacklightList = 43;
inline constexpr int kRelaySenses = 45;
inline constexpr int kApplicationTypes = 47;
inline constexpr int kModels = 48;
inline constexpr int kBoards = 50;
inline constexpr int kGainTypeList = 51;
inline constexpr int kMeasureOnList = 52;
inline constexpr int kRelayTypesFlow = 53;
inline constexpr int kRelayTypesTwoPipes = 54;
inline constexpr int kRelayTypesVelocity = 55;
inline constexpr int kOutputsTwoPipes = 56;
inline constexpr int kOutputsTwoChords = 57;
inline constexpr int kOutputsOneChord = 58;
inline constexpr int kVolumeDirections = 59;
inline constexpr int kFlowUnits = 60;
inline constexpr int kVolumeTypes = 61;

// Messages and captions.
inline constexpr int kTransferQuestion = 301;
inline constexpr int kCaution = 8;
inline constexpr int kError = 119;
inline constexpr int kConnectedUnit = 325;
inline constexpr int kFile = 127;
inline constexpr int kOneChordName = 310;
inline constexpr int kTwoChordsName = 309;
inline constexpr int kTwoPipesName = 308;
inline constexpr int kApplicationSelection = 265;
inline constexpr int kSettingsFileKind = 129;
inline constexpr int kBadFile = 113;
inline constexpr int kCannotOpenFile = 123;

// Difference dialog.
inline constexpr int kDifferences = 305;
inline constexpr int kReferenceSettings = 225;
inline constexpr int kCurrentSettings = 223;
inline constexpr int kSerialLink = 159;
inline constexpr int kParameter = 224;
inline constexpr int kReference = 329;
inline constexpr int kCurrent = 4;
inline constexpr int kUnit = 324;
inline constexpr int kUnitNumberLine = 326;
inline constexpr int kSignatureLine = 333;

} // namespace ks::settings::text
