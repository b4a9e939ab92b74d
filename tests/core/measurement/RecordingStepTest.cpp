#include "measurement/RecordingStep.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ks;

namespace {

using Action = CRecordingStep::Action;

// Runs a recording over meter times (seconds) seen at successive polls; returns, per poll,
// whether a sample was written.
std::vector<bool> run(CRecordingStep& step, const std::vector<std::int64_t>& times) {
    step.pressRecord();
    EXPECT_EQ(step.onMeasurement(times.front()), Action::CreateFile);
    step.started(true);
    std::vector<bool> written;
    for (std::size_t i = 1; i < times.size(); ++i)
        written.push_back(step.onMeasurement(times[i]) == Action::WriteSample);
    return written;
}

} // namespace

TEST(RecordingStep, SamplesFollowTheMeterClock) {
    struct Case {
        const char* what;
        int period;
        std::vector<std::int64_t> times; // the first poll only creates the file
        std::vector<bool> written;
    } cases[] = {
        // Polls 0.6 s apart: the meter's second advances at most polls.
        {"period 1, polls 0.6 s apart",
         1,
         {100, 100, 101, 101, 102, 103, 103, 104},
         {true, true, false, true, true, false, true}},
        {"two meter seconds between polls write one sample",
         1,
         {100, 100, 102, 103},
         {true, true, true}},
        {"period 5 keeps the remainder",
         5,
         {0, 0, 3, 6, 9, 10, 17},
         {true, false, true, false, true, true}},
        {"clock going backwards delays the next sample",
         2,
         {50, 50, 52, 49, 51, 53, 55},
         {true, true, false, false, false, true}},
    };
    for (const auto& c : cases) {
        CRecordingStep step;
        step.setOptions(c.period, 0);
        EXPECT_EQ(run(step, c.times), c.written) << c.what;
    }
}

TEST(RecordingStep, StatusLineWithAndWithoutLapTime) {
    CRecordingStep step;
    step.setOptions(1, 0);
    run(step, {10, 10, 11});
    EXPECT_EQ(step.statusText(1), "Enregistrement 2");

    CRecordingStep lap;
    lap.setOptions(1, 10);
    run(lap, {1000, 1000});
    EXPECT_EQ(lap.statusText(1), "Enregistrement 1 (Temps restant 10mn 0s)");
    EXPECT_EQ(lap.onMeasurement(1001), Action::WriteSample);
    EXPECT_EQ(lap.statusText(2), "Recording 2 (Time left 9min 59s)");
    EXPECT_FALSE(lap.lapOver());
    EXPECT_EQ(lap.onMeasurement(1599), Action::WriteSample);
    EXPECT_FALSE(lap.lapOver());
    EXPECT_EQ(lap.onMeasurement(1600), Action::WriteSample);
    EXPECT_TRUE(lap.lapOver()); // 600 s of meter time: the owner presses the record button
    EXPECT_EQ(lap.statusText(1), "Enregistrement 4 (Temps restant 0mn 0s)");
    EXPECT_TRUE(lap.pressRecord());
    EXPECT_EQ(lap.state(), CRecordingStep::State::Idle);
}

TEST(RecordingStep, ButtonStates) {
    CRecordingStep step;
    EXPECT_FALSE(step.pressRecord());
    EXPECT_EQ(step.state(), CRecordingStep::State::StartRequested);
    EXPECT_FALSE(step.pressRecord()); // a requested start changes nothing
    EXPECT_EQ(step.state(), CRecordingStep::State::StartRequested);
    EXPECT_EQ(step.onMeasurement(5), Action::CreateFile);
    step.started(false); // the file could not be created
    EXPECT_EQ(step.state(), CRecordingStep::State::Idle);
    EXPECT_EQ(step.onMeasurement(6), Action::None);
    // A period of 0 from a hand-edited configuration cannot divide by zero.
    step.setOptions(0, -3);
    EXPECT_EQ(step.samplePeriod(), 1);
    EXPECT_EQ(step.lapMinutes(), 0);
}
