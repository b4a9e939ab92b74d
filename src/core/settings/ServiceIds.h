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

} // namespace ks::settings
