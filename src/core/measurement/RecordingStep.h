#pragma once

#include <cstdint>
#include <string>

namespace ks {

// When a recording writes its samples. The clock is the meter's own (its date-time field,
// in seconds since 1980), never the PC's: a sample is due once a sample period of meter time
// has gathered in the accumulator since the last one. Missed polls make the next step larger,
// but one measurement writes one sample at most; the remainder stays in the accumulator. A
// meter clock that goes backwards makes the accumulator smaller and delays the next sample.
class CRecordingStep {
public:
    enum class State { Idle = 0, StartRequested = 1, Recording = 2 };

    // What the owner does after a measurement.
    enum class Action {
        None,
        CreateFile,  // state 1: ask for the file and create it, then call started()
        WriteSample, // append one sample, show statusText()
    };

    // samplePeriod in seconds (below 1 reads as 1), lapMinutes 0 for no limit.
    void setOptions(int samplePeriod, double lapMinutes);
    int samplePeriod() const { return m_period; }
    double lapMinutes() const { return m_lapMinutes; }

    // The record button: idle asks for a start, recording stops (true: the owner closes the
    // file and empties the status line), a requested start changes nothing.
    bool pressRecord();

    // After each decoded measurement, with the meter's time.
    Action onMeasurement(std::int64_t meterSeconds);
    // The file could (true) or could not be created: recording, or back to idle.
    void started(bool ok);
    // Stops a recording (a write error, the dialog closing). True if one was running.
    bool stop();
    // After onMeasurement: the lap time is over, the owner presses the record button (again
    // after the sample it may have written at the same measurement).
    bool lapOver() const { return m_lapOver; }

    State state() const { return m_state; }
    bool isRecording() const { return m_state == State::Recording; }
    int samplesWritten() const { return m_samples; }
    std::int64_t accumulator() const { return m_accumulator; }
    std::int64_t startTime() const { return m_start; }
    // Seconds of the lap still to go after the last measurement (0 without a lap time).
    std::int64_t remainingSeconds() const { return m_remaining; }

    // The status line after a sample: text 108, a blank and the count; with a lap time
    // " (" text 289, minutes, text 190, " ", seconds, text 264 ")".
    std::string statusText(int language) const;

private:
    State m_state = State::Idle;
    int m_period = 1;
    double m_lapMinutes = 0.0;
    int m_samples = 0;
    std::int64_t m_accumulator = 0;
    std::int64_t m_start = 0;
    std::int64_t m_last = 0;
    std::int64_t m_remaining = 0;
    bool m_lapOver = false;
};

} // namespace ks
