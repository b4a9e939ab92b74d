#include "app/OsVersion.h"

#include <gtest/gtest.h>

#include <sys/utsname.h>
#include <vector>

using namespace ks;

TEST(OsVersion, WindowsVersionTable) {
    constexpr int k9x = COsVersion::kPlatformWindows9x;
    constexpr int kNT = COsVersion::kPlatformWindowsNT;
    struct Case {
        int platform;
        unsigned major, minor, build;
        const char* name;
        int code;
    };
    const std::vector<Case> cases = {
        {k9x, 4, 0, 950, "Windows 95", 1},
        {k9x, 4, 0, 0x04000000 | 950, "Windows 95", 1}, // only the low 16 bits count
        {k9x, 4, 0, 951, "Windows 95 SP1", 2},
        {k9x, 4, 3, 1080, "Windows 95 SP1", 2},
        {k9x, 4, 0, 1081, "Windows 95 OSR2", 3},
        {k9x, 4, 0, 949, "unknown Windows version", 0},
        {k9x, 4, 10, 1998, "Windows 98", 4},
        {k9x, 4, 10, 1999, "Windows 98 SP1", 5},
        {k9x, 4, 10, 2182, "Windows 98 SP1", 5},
        {k9x, 4, 10, 2222, "Windows 98 SE", 6},
        {k9x, 4, 10, 1997, "unknown Windows version", 0},
        {k9x, 4, 90, 3000, "Windows ME", 7},
        {k9x, 4, 50, 3000, "unknown Windows version", 0},
        {k9x, 5, 0, 950, "unknown Windows version", 0},
        {kNT, 3, 51, 1057, "Windows NT 3.51", 101},
        {kNT, 4, 0, 1381, "Windows NT 4", 102},
        {kNT, 5, 0, 2195, "Windows 2000", 103},
        {kNT, 5, 1, 2600, "Windows XP", 104},
        {kNT, 6, 1, 7601, "unknown Windows version", 0},
        {COsVersion::kPlatformWindowsCE, 2, 11, 0, "Windows CE", 201},
        {COsVersion::kPlatformWin32s, 1, 30, 0, "unknown Windows version", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(COsVersion::identifyWindows(c.platform, c.major, c.minor, c.build),
                  (COsVersion::Identity{c.name, c.code}))
            << c.platform << " " << c.major << "." << c.minor << "." << c.build;
}

TEST(OsVersion, RunningSystemIsNamedByUname) {
    struct utsname u {};
    ASSERT_EQ(::uname(&u), 0);
    const COsVersion os;
    EXPECT_EQ(os.name(), std::string(u.sysname) + " " + u.release);
    EXPECT_EQ(os.code(), 0);
    EXPECT_EQ(os.platform(), COsVersion::kPlatformOther);
    EXPECT_EQ(std::to_string(os.majorVersion()) + "." + std::to_string(os.minorVersion()),
              std::string(u.release).substr(0, std::string(u.release).find('.', 2)));
}
