#pragma once

#include "link/FrameReceiver.h"
#include "link/JBusCodec.h"
#include "link/JBusRequest.h"
#include "link/OwedReplies.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace ks {

// The application's JBus master link: transactions with retries, and the polling worker.
class CJBusLink : public CFrameReceiver {
public:
    using FrameTrace = std::function<void(bool sent, const Bytes& frame)>;

    CJBusLink() = default;
    ~CJBusLink() override;

    // One exchange with up to retries() attempts. Function 16 sends data; on success data
    // receives the reply's data without its first byte. Emptied on failure.
    int transaction(int slave, int function, int address, int count, Bytes& data, int itemSize);
    int transaction(JBusRequest& request);

    int retries() const { return m_retries; }
    void setRetries(int n) { m_retries = n < 1 ? 1 : n; }
    int attempt() const { return m_attempt.load(); }
    bool busy() const { return m_busy.load(); }
    const CJBusCodec& codec() const { return m_codec; }

    // Stopping an exchange. Once asked, the running transaction ends at its next attempt
    // boundary at the latest, and every transaction returns LINK_CANCELLED at once until
    // resetCancel(), so a chain of writes goes no further.
    // requestCancel() only sets the flag: safe from a signal handler; the wait for the
    // current reply then ends with its first-byte time-out.
    void requestCancel() { m_cancel.store(true); }
    // The same, ending the wait for the current reply at once (not from a signal handler).
    void cancel();
    void resetCancel() { m_cancel.store(false); }
    bool cancelRequested() const { return m_cancel.load(); }

    // Every frame sent and every reply taken as the answer to it (then validated), for --trace.
    // Called on the transaction's thread.
    void setTrace(FrameTrace trace) { m_trace = std::move(trace); }
    // Bytes that came in and were not taken: why ("stale", "late", "noise") and the bytes.
    using DropTrace = std::function<void(const char* why, const Bytes& bytes)>;
    void setDropTrace(DropTrace trace) { m_dropTrace = std::move(trace); }

    // What the line brought that was not the reply awaited. Readable from any thread.
    struct LineCounts {
        std::uint64_t late = 0;      // replies that came after their attempt's time-out
        std::uint64_t stale = 0;     // replies to an earlier exchange, dropped
        std::uint64_t discarded = 0; // pieces of broken frames dropped before a request
        std::uint64_t lost = 0;      // times the port went away
        std::uint64_t reopened = 0;  // times it was opened again
    };
    LineCounts lineCounts() const;
    // True from the moment the port went away until it is open again.
    bool portLost() const { return m_portLost.load(); }

    // Polling worker.
    int startPolling(CFrameSink* sink, int slave, int function, int address, int count,
                     int periodMs, int itemSize, const Bytes& data);
    void stopPolling();
    void acknowledge();
    JBusRequest getRequest();
    void setRequest(const JBusRequest& request);
    // True while the worker runs (it ends by itself when it has no sink).
    bool polling();
    int period() const { return m_period; }

protected:
    bool receptionComplete(Bytes& reception) override;

private:
    enum class Settle { Clear, Answered, Lost, Cancelled };
    void workerLoop();
    int exchange(const Bytes& request, int slave, int function, int expectedLength);
    // Before a request goes out: takes what came in meanwhile, waits while a reply may still
    // come, and after a failed attempt until the line is quiet. Answered: a late reply to
    // this exchange is in reception.
    Settle settle(bool afterFailure, Bytes& reception);
    // Waits for the reply to the request just sent, dropping replies to earlier exchanges.
    int awaitReply(Bytes& reception);
    int checkReply(const Bytes& reception);
    void dropped(const char* why, const Bytes& bytes);
    void loseLine();
    // While the port is lost: tries to open it again for up to one first-byte time-out.
    bool recoverLine();

    CJBusCodec m_codec;
    std::atomic<bool> m_busy{false};
    std::atomic<int> m_attempt{0};
    std::atomic<bool> m_cancel{false};
    int m_retries = 3;
    Bytes m_lastRequest; // what was sent, to recognise a line that echoes it
    FrameTrace m_trace;
    DropTrace m_dropTrace;
    COwedReplies m_owed;
    std::uint64_t m_owedLine = 0; // the line the owed replies were asked on
    std::atomic<bool> m_portLost{false};
    std::atomic<std::uint64_t> m_late{0}, m_stale{0}, m_discarded{0}, m_lost{0}, m_reopened{0};

    // Polling state.
    std::thread m_worker;
    std::mutex m_requestMutex; // guards m_polled while it is used or copied
    JBusRequest m_polled;
    std::mutex m_stateMutex; // guards active, sink, repeat counter and the events
    std::condition_variable m_stateCv;
    bool m_active = false;
    bool m_acknowledged = false;
    bool m_started = false;
    bool m_workerRunning = false;
    CFrameSink* m_sink = nullptr;
    int m_repeat = 0;
    int m_period = 500;
};

} // namespace ks
