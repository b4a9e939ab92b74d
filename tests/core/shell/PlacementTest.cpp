#include "shell/Placement.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ks;

TEST(Placement, KeepsTheWindowOnTheWorkArea) {
    // A 1920 x 1040 work area (a 40-pixel panel at the bottom of a 1080-pixel screen).
    const ScreenRect area{0, 0, 1920, 1040};
    struct Case {
        const char* what;
        ScreenRect window;
        ScreenPoint expected;
    };
    const std::vector<Case> cases = {
        {"inside", {100, 100, 500, 400}, {100, 100}},
        {"above and left", {-30, -20, 370, 280}, {0, 0}},
        {"partly under the panel", {100, 900, 500, 1100}, {100, 840}},
        {"bottom on the edge", {100, 740, 500, 1040}, {100, 740}},
        {"taller than the work area", {100, 200, 500, 1300}, {100, 0}},
        {"past the right edge", {1800, 100, 2200, 400}, {1520, 100}},
        {"wider than the work area", {100, 100, 2100, 400}, {100, 100}},
        {"past both edges", {1700, 950, 2000, 1100}, {1620, 890}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeOnWorkArea(c.window, area), c.expected) << c.what;
}

TEST(Placement, WorkAreaAwayFromTheOrigin) {
    // A second screen to the right with a top panel: the window goes to its work area.
    const ScreenRect area{1920, 30, 3840, 1080};
    EXPECT_EQ(placeOnWorkArea({1800, 10, 2200, 310}, area), (ScreenPoint{1920, 30}));
    EXPECT_EQ(placeOnWorkArea({2000, 500, 2400, 1600}, area), (ScreenPoint{2000, 30}));
}

TEST(Placement, MaximisedWindowStays) {
    EXPECT_EQ(placeOnWorkArea({-8, -8, 1928, 1088}, {0, 0, 1920, 1040}, true),
              (ScreenPoint{-8, -8}));
}
