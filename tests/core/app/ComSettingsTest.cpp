#include "app/ComSettings.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ks;

TEST(ComSettings, ReadFromTheConfiguration) {
    struct Case {
        std::string com; // the [Com] section's lines
        ComSettings expected;
    };
    const std::vector<Case> cases = {
        {"", {0, 5, 1}},
        {"Port=2.000000\r\nBauds=3.000000\r\nJBus=17.000000\r\n", {2, 3, 17}},
        {"Port=2.9\r\nBauds=7\r\nJBus=255\r\n", {2, 7, 255}},
        // Out of range or unreadable: that setting's default.
        {"Port=-1\r\nBauds=8\r\nJBus=256\r\n", {0, 5, 1}},
        {"Port=1e300\r\nBauds=x\r\nJBus=-0.5\r\n", {0, 5, 0}},
    };
    TempFolder tmp;
    const CProfileFile cfg(tmp.path("c.CalyptronKS"));
    for (const auto& c : cases) {
        writeBytes(cfg.path(), "[Com]\r\n" + c.com);
        EXPECT_EQ(readComSettings(cfg), c.expected) << c.com;
    }
}

TEST(ComSettings, WrittenAsNumbers) {
    TempFolder tmp;
    const CProfileFile cfg(tmp.path("c.CalyptronKS"));
    ASSERT_EQ(writeComSettings(cfg, {3, 6, 247}), 0);
    EXPECT_EQ(readBytes(cfg.path()), "[Com]\r\nPort=3.000000\r\nBauds=6.000000\r\n"
                                     "JBus=247.000000\r\n");
    EXPECT_EQ(readComSettings(cfg), (ComSettings{3, 6, 247}));
    EXPECT_EQ(writeComSettings(CProfileFile(), {}), -1);
}
