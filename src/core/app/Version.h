#pragma once

#include <string>
#include <string_view>

// The program's version record (what a Windows build keeps in its version resource).
namespace ks::version {

inline constexpr const char* kInternalName = "Calyptron KS";
// The first two characters name the firmware family the program talks to; the rest is
// the program's own version.
inline constexpr const char* kFileVersion = "V2 1.0.0";
inline constexpr const char* kLegalCopyright = "Copyright (C) 2026 Calyptron KS developers";
// Product code carried inside the firmware version text of compatible meters.
inline constexpr const char* kProductCode = "CKS";

// A value of the version record by its key: "InternalName", "FileVersion" or
// "LegalCopyright"; "" for any other key.
inline std::string versionValue(std::string_view key) {
    if (key == "InternalName")
        return kInternalName;
    if (key == "FileVersion")
        return kFileVersion;
    if (key == "LegalCopyright")
        return kLegalCopyright;
    return {};
}

// "V2-CKS-": a meter is accepted when its firmware version text begins with this.
inline std::string versionPrefix() {
    return std::string(kFileVersion).substr(0, 2) + "-" + kProductCode + "-";
}

// "1.0.0": the program's own version, what --version shows (FileVersion after its firmware
// family).
inline std::string programVersion() {
    const std::string file = kFileVersion;
    const auto blank = file.find(' ');
    return blank == std::string::npos ? file : file.substr(blank + 1);
}

// The internal name without blanks ("CalyptronKS"): the extension of configuration files and
// the tail of the default configuration's name.
inline std::string shortName() {
    std::string name;
    for (const char* p = kInternalName; *p != '\0'; ++p)
        if (*p != ' ' && *p != '\t')
            name += *p;
    return name;
}

} // namespace ks::version
