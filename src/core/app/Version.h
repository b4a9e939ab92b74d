#pragma once

#include <string>

// The program's version record (what a Windows build keeps in its version resource).
namespace ks::version {

inline constexpr const char* kInternalName = "Calyptron KS";
// The first two characters name the firmware family the program talks to; the rest is
// the program's own version.
inline constexpr const char* kFileVersion = "V2 1.0.0";
inline constexpr const char* kLegalCopyright = "Copyright (C) 2026 Calyptron KS developers";
// Product code carried inside the firmware version text of compatible meters.
inline constexpr const char* kProductCode = "CKS";

// "V2-CKS-": a meter is accepted when its firmware version text begins with this.
inline std::string versionPrefix() {
    return std::string(kFileVersion).substr(0, 2) + "-" + kProductCode + "-";
}

} // namespace ks::version
