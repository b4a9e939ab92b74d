#pragma once

#include <string>

namespace ks {

// Identifies the operating system. A device dialog hides one of its buttons on the first
// release of Windows 95 (code 1); every system this program runs on today has code 0.
class COsVersion {
public:
    // Platform identifiers as Windows reports them.
    static constexpr int kPlatformWin32s = 0;
    static constexpr int kPlatformWindows9x = 1;
    static constexpr int kPlatformWindowsNT = 2;
    static constexpr int kPlatformWindowsCE = 3;
    // Anything that is not Windows.
    static constexpr int kPlatformOther = -1;

    struct Identity {
        std::string name;
        int code = 0;
        bool operator==(const Identity&) const = default;
    };

    // Name and code of a Windows version from its numbers; only the low 16 bits of the build
    // number count.
    static Identity identifyWindows(int platform, unsigned majorVersion, unsigned minorVersion,
                                    unsigned buildNumber);

    // The running system: its name (e.g. "Linux 6.1.0-18-amd64") and code 0.
    COsVersion();

    const std::string& name() const { return m_identity.name; }
    int code() const { return m_identity.code; }
    int platform() const { return m_platform; }
    unsigned majorVersion() const { return m_major; }
    unsigned minorVersion() const { return m_minor; }
    unsigned buildNumber() const { return m_build; }
    const std::string& servicePack() const { return m_servicePack; }

private:
    Identity m_identity;
    int m_platform = kPlatformOther;
    unsigned m_major = 0;
    unsigned m_minor = 0;
    unsigned m_build = 0;
    std::string m_servicePack;
};

} // namespace ks
