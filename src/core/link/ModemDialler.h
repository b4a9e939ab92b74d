#pragma once

#include "link/ModemJob.h"
#include "link/ModemOutcome.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

namespace ks {

class CFrameReceiver;

// The three commands of a modem, built from the program's settings.
struct ModemCommandSet {
    std::string init;   // "AT ..." CR LF
    std::string dial;   // "ATDT..." or "ATDP..." CR LF
    std::string hangUp; // "AT ..." CR LF
};

// Runs a dialling or a hang-up to its end and waits for it, following the same steps and
// outcomes as the modem dialog: for the command line and for tests. Texts and messages are
// handed to the sinks on the calling thread.
class CModemDialler : private CModemJobObserver {
public:
    using StatusSink = std::function<void(const std::string& shown)>;
    using MessageSink = std::function<void(int text, int caption)>;
    using StopCheck = std::function<bool()>;

    CModemDialler(CFrameReceiver& link, int language, ModemTimeouts timeouts = {});

    // Each text as the status box would show it.
    void setStatusSink(StatusSink sink) { m_statusSink = std::move(sink); }
    // Each message box (texts by number, in the dialler's language).
    void setMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }
    // Looked at a few times a second; true cancels the run (as the dialog's Cancel).
    void setStopCheck(StopCheck check) { m_stopCheck = std::move(check); }

    // True when the call stands. A reply nobody knows is followed by the hang-up sequence.
    bool connect(int port, int baudIndex, const ModemCommandSet& commands);
    // True when the modem said OK to the hang-up.
    bool disconnect(int port, int baudIndex, const std::string& hangUpCommand);

    // Everything shown in the status box so far (reset by connect and disconnect).
    const std::string& statusText() const { return m_status; }
    // The steps reported, in order (0 included).
    const std::vector<int>& steps() const { return m_steps; }
    bool wasCancelled() const { return m_cancelled; }

private:
    struct Event {
        int step;
        std::string text;
    };
    void modemStep(CModemJob& job, int step, const std::string& text) override;
    ModemStepAction::End run(bool connectMode, int startCode, int& waitMs);
    void show(const std::string& text);
    void tell(int text, int caption);

    CModemJob m_job;
    StatusSink m_statusSink;
    MessageSink m_messageSink;
    StopCheck m_stopCheck;
    std::string m_status;
    std::vector<int> m_steps;
    bool m_cancelled = false;

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<Event> m_events;
};

} // namespace ks
