#include "framework/Stopwatch.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace ks;

namespace {

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

TEST(Stopwatch, WaitsTheTimeAsked) {
    CStopwatch watch;
    const double cpuBefore = cpuSeconds();
    watch.wait(0.2);
    const double waited = watch.elapsed();
    EXPECT_GE(waited, 0.2);
    EXPECT_LT(waited, 2.0);
    // The wait sleeps: it must not spend the time on the processor.
    EXPECT_LT(cpuSeconds() - cpuBefore, 0.1);
}

TEST(Stopwatch, NothingToWaitReturnsAtOnce) {
    CStopwatch watch;
    for (double seconds : {0.0, -1.0, 0.0 / 0.0}) {
        watch.wait(seconds);
        EXPECT_LT(watch.elapsed(), 0.05) << seconds;
    }
}

TEST(Stopwatch, ElapsedCountsFromStart) {
    CStopwatch watch;
    watch.wait(0.05);
    EXPECT_GE(watch.elapsed(), 0.05);
    watch.start();
    EXPECT_LT(watch.elapsed(), 0.05);
}

} // namespace
