#pragma once

#include "framework/FieldList.h"
#include "settings/BlockExchange.h"

#include <cstdint>
#include <functional>

namespace ks {

// The measuring part of a bench test, without a window: transfer the test settings, then
// read the measurement block until the signal quality of chord 1 reaches 100 (or the time
// limit is over), then read the echo tables. Four failed reads end it; so does Cancel.
class CTestLoop {
public:
    static constexpr int kFailureLimit = 4;
    static constexpr std::int64_t kQualityLimitMs = 20000;

    enum class Outcome {
        Done,            // the echo tables were read: the report can be written
        TransferFailed,  // the test settings could not be written; nothing was measured
        TooManyFailures, // four failed reads
        Cancelled,
    };

    struct Result {
        Outcome outcome = Outcome::Cancelled;
        int failures = 0;
        int measurements = 0; // good reads of the measurement block
        int lastQuality = -1; // of chord 1, -1 before the first good read
        bool qualityReached = false;
        std::int64_t elapsedMs = 0; // from the start of the loop to its end
    };

    // Monotonic milliseconds.
    using Clock = std::function<std::int64_t()>;

    CTestLoop(CBlockExchange& exchange, const CFieldList& fields);

    // The clock the limits are measured on (a steady clock by default).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // Waits between two reads of the measurement block (none by default).
    void setPause(std::function<void()> pause) { m_pause = std::move(pause); }
    // Told the whole seconds elapsed each time a new one is reached after a good read.
    void setProgress(std::function<void(int seconds)> progress) {
        m_progress = std::move(progress);
    }
    // Asked before every exchange; true ends the test as cancelled.
    void setCancel(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }
    // The block written before measuring (the factory settings); -1 writes nothing.
    void setSettingsBlock(int blockCode) { m_settingsBlock = blockCode; }
    void setQualityLimitMs(std::int64_t ms) { m_qualityLimitMs = ms; }

    Result run();

private:
    bool cancelled() const { return m_cancelled && m_cancelled(); }
    int qualityOfChord1() const;

    CBlockExchange& m_exchange;
    const CFieldList& m_fields;
    Clock m_clock;
    std::function<void()> m_pause;
    std::function<void(int)> m_progress;
    std::function<bool()> m_cancelled;
    int m_settingsBlock = 0x2200;
    std::int64_t m_qualityLimitMs = kQualityLimitMs;
};

} // namespace ks
