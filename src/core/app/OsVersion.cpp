#include "app/OsVersion.h"

#include <sys/utsname.h>

namespace ks {

namespace {

// Reads the leading decimal number of text from pos, leaving pos after it.
unsigned leadingNumber(const std::string& text, std::size_t& pos) {
    unsigned value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && value < 100000000u)
        value = value * 10 + static_cast<unsigned>(text[pos++] - '0');
    return value;
}

} // namespace

COsVersion::Identity COsVersion::identifyWindows(int platform, unsigned majorVersion,
                                                 unsigned minorVersion, unsigned buildNumber) {
    const unsigned ver = majorVersion;
    const unsigned rev = minorVersion;
    const unsigned build = buildNumber & 0xFFFFu;
    if (platform == kPlatformWindows9x && ver == 4) {
        if (rev < 10) {
            if (build == 950)
                return {"Windows 95", 1};
            if (build >= 951 && build <= 1080)
                return {"Windows 95 SP1", 2};
            if (build > 1080)
                return {"Windows 95 OSR2", 3};
        } else if (rev == 10) {
            if (build == 1998)
                return {"Windows 98", 4};
            if (build >= 1999 && build <= 2182)
                return {"Windows 98 SP1", 5};
            if (build > 2182)
                return {"Windows 98 SE", 6};
        } else if (rev == 90) {
            return {"Windows ME", 7};
        }
    } else if (platform == kPlatformWindowsNT) {
        if (ver == 3 && rev == 51)
            return {"Windows NT 3.51", 101};
        if (ver == 4 && rev == 0)
            return {"Windows NT 4", 102};
        if (ver == 5 && rev == 0)
            return {"Windows 2000", 103};
        if (ver == 5 && rev == 1)
            return {"Windows XP", 104};
    } else if (platform == kPlatformWindowsCE) {
        return {"Windows CE", 201};
    }
    return {"unknown Windows version", 0};
}

COsVersion::COsVersion() {
    struct utsname u {};
    if (::uname(&u) != 0) {
        m_identity = {"unknown system", 0};
        return;
    }
    const std::string release = u.release;
    m_identity = {std::string(u.sysname) + " " + release, 0};
    // "6.1.0-18-amd64": major 6, minor 1, build 0.
    std::size_t pos = 0;
    m_major = leadingNumber(release, pos);
    if (pos < release.size() && release[pos] == '.')
        m_minor = leadingNumber(release, ++pos);
    if (pos < release.size() && release[pos] == '.')
        m_build = leadingNumber(release, ++pos);
}

} // namespace ks
