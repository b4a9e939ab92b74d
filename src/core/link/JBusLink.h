#pragma once

#include "link/FrameReceiver.h"
#include "link/JBusCodec.h"
#include "link/JBusRequest.h"

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

    // Every frame sent and every reply received, for --trace. Called on the transaction's thread.
    void setTrace(FrameTrace trace) { m_trace = std::move(trace); }

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
    void workerLoop();

    CJBusCodec m_codec;
    std::atomic<bool> m_busy{false};
    std::atomic<int> m_attempt{0};
    std::atomic<bool> m_cancel{false};
    int m_retries = 3;
    Bytes m_lastRequest; // what was sent, to recognise a line that echoes it
    FrameTrace m_trace;

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
