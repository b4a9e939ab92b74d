#pragma once

#include "i18n/TextTable.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace ks {

class CFrameReceiver;

// What the dialler reports while it works.
namespace modemstep {
inline constexpr int kText = 0;     // a text to show, nothing more
inline constexpr int kInit = 1;     // the reply to the initialisation string
inline constexpr int kDial = 2;     // the reply to the dialling command
inline constexpr int kEscape = 100; // the reply to the escape to command mode
inline constexpr int kHangUp = 101; // the reply to the hang-up command
} // namespace modemstep

// The time-outs of the exchanges (first byte of the reply) and the modem's guard times.
struct ModemTimeouts {
    int initMs = 3000;
    int dialMs = 60000;
    int escapeMs = 3000;
    int hangUpMs = 10000;
    int beforeEscapeMs = 1500; // silence the modem needs before "+++"
    int afterEscapeMs = 2000;  // pause after the modem is back in command mode
};

class CModemJob;

// Hears each step on the job's thread. The job waits until acknowledge() is called (from
// any thread, inside the call or later), so each text is dealt with before the next
// exchange; a cancel ends that wait too.
class CModemJobObserver {
public:
    virtual ~CModemJobObserver() = default;
    virtual void modemStep(CModemJob& job, int step, const std::string& text) = 0;
};

// One dialling or hang-up run of the local modem on the link's serial line, on a thread of
// its own. The link is opened straight at the modem's port and baud index (never through
// the modem) and left open.
class CModemJob {
public:
    CModemJob(CFrameReceiver& link, CModemJobObserver& observer, int language,
              ModemTimeouts timeouts = {});
    // Waits for the worker (cancelling it first).
    ~CModemJob();
    CModemJob(const CModemJob&) = delete;
    CModemJob& operator=(const CModemJob&) = delete;

    // 0, the link's open code, or -1 when a worker runs or cannot be created.
    int startConnect(int port, int baudIndex, const std::string& initCommand,
                     const std::string& dialCommand);
    int startDisconnect(int port, int baudIndex, const std::string& hangUpCommand);

    void acknowledge();
    // Stops the worker soon: an exchange under way ends as if nothing had come, no further
    // step is reported. A dialling call is broken off.
    void cancel();
    bool cancelled() const { return m_cancel.load(); }
    // True from a start until the worker has set its done event.
    bool running() const;
    // Waits for the worker's done event and joins it.
    void wait();

private:
    int openLine(int port, int baudIndex);
    bool launch(void (CModemJob::*body)());
    void connectBody();
    void disconnectBody();
    // Sends and returns the reply ("" when none came within the time-out).
    std::string exchange(const std::string& command, int firstByteTimeoutMs);
    void report(int step, const std::string& text);
    // Sleeps, cut short by a cancel; false when cancelled.
    bool pause(int ms);

    CFrameReceiver& m_link;
    CModemJobObserver& m_observer;
    int m_language;
    ModemTimeouts m_timeouts;
    CTextTable m_texts; // used by the worker only
    std::string m_init, m_dial, m_hangUp;

    std::thread m_worker;
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_started = false;
    bool m_done = true;
    bool m_acknowledged = false;
    std::atomic<bool> m_cancel{false};
};

} // namespace ks
