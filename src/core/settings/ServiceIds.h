#pragma once

// Control ids and block codes of the service dialogs: calibration, output adjustment, special
// probe, OEM and echo table. The factory and special settings share the sheet's ids.
namespace ks::settings {

namespace block {
inline constexpr int kEcho = 0x0B00;
inline constexpr int kOem = 0x122F;
inline constexpr int kIdentification = 0xFF00;
// The special probe file's one record: it lives only in the program and its files, never
// on the meter.
inline constexpr int kProbeRecord = 0xFFFFFE;
// The echo table's row, decoded one row at a time; never exchanged.
inline constexpr int kEchoRow = 0xFFFFFF;
} // namespace block

namespace calibration {
inline constexpr int kFirmware = 5000;
inline constexpr int kSyncClock = 5010;
inline constexpr int kKh = 5020;
inline constexpr int kDeltaT0 = 5030;
} // namespace calibration

namespace output {
inline constexpr int kGroup = 5100;
inline constexpr int kGroupOutput1 = 5110;
inline constexpr int kOutput1At4mA = 5120;
inline constexpr int kOutput1At20mA = 5130;
inline constexpr int kGroupOutput2 = 5140;
inline constexpr int kOutput2At4mA = 5150;
inline constexpr int kOutput2At20mA = 5160;
} // namespace output

namespace probe {
inline constexpr int kText = 5200;
inline constexpr int kT0 = 5210;
inline constexpr int kAngle = 5220;
inline constexpr int kFrequency = 5230;
inline constexpr int kTarget = 5240; // "Sauvegarde dans:" SA or SB, not stored
} // namespace probe

namespace oem {
inline constexpr int kFirmware = 5300; // firmware text of the identification block
inline constexpr int kLine1 = 5310;
inline constexpr int kModel = 5320;
inline constexpr int kMaxPair = 5330;
} // namespace oem

namespace special {
inline constexpr int kFirmware = 4740; // firmware text of the measurement block
} // namespace special

namespace echo {
inline constexpr int kChordCount = 5400; // IDC_CH_CORDEMAX
inline constexpr int kGroupChord1 = 5410;
inline constexpr int kPolarity1 = 5420;
inline constexpr int kMargin1 = 5430;
inline constexpr int kGroupChord2 = 5440;
inline constexpr int kPolarity2 = 5450;
inline constexpr int kMargin2 = 5460;
inline constexpr int kRowCount = 5470; // IDC_CH_FLEX_NBRE
inline constexpr int kRowGain = 5480;  // IDC_CH_FLEX_GMIN
inline constexpr int kRowTime = 5490;  // IDC_CH_FLEX_VAL
// Carried rows of the four tables: 10 rows of three values each, ids from here on.
inline constexpr int kTableRows = 6000;
} // namespace echo

} // namespace ks::settings
