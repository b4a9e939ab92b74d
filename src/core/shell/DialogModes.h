#pragma once

// How the main window opens a device dialog: a combination of these flags.
namespace ks::dialogmode {

inline constexpr int kDialogue = 1; // values are read from and transferred to the meter
inline constexpr int kNew = 2;      // values start from defaults
inline constexpr int kOpen = 4;     // values come from a file
inline constexpr int kSaveAll = 64; // read from the meter and saved to a file, unattended
inline constexpr int kPrintAll = 128;

} // namespace ks::dialogmode
