// The polling worker of CJBusLink: repeats one request, notifies a sink after each exchange
// and waits for its acknowledgement before sleeping the period.
#include "link/JBusLink.h"

#include <chrono>

namespace ks {

int CJBusLink::startPolling(CFrameSink* sink, int slave, int function, int address, int count,
                            int periodMs, int itemSize, const Bytes& data) {
    if (m_worker.joinable()) {
        if (polling())
            return -1;
        m_worker.join(); // it ended by itself
    }
    {
        std::lock_guard<std::mutex> lock(m_requestMutex);
        m_polled = JBusRequest{slave, function, address, count, data, itemSize};
    }
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_sink = sink;
        m_period = periodMs;
        m_repeat = -1;
        m_active = true;
        m_acknowledged = false;
        m_started = false;
        m_workerRunning = true;
    }
    try {
        m_worker = std::thread(&CJBusLink::workerLoop, this);
    } catch (...) {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_active = false;
        m_workerRunning = false;
        return -1;
    }
    std::unique_lock<std::mutex> lock(m_stateMutex);
    m_stateCv.wait(lock, [this] { return m_started; });
    return 0;
}

void CJBusLink::workerLoop() {
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_started = true;
    }
    m_stateCv.notify_all();
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            if (!m_active)
                break;
        }
        {
            std::lock_guard<std::mutex> lock(m_requestMutex);
            m_polled.result = transaction(m_polled);
        }
        {
            std::lock_guard<std::mutex> lock(m_stateMutex);
            if (!m_sink || !m_active)
                break;
            --m_repeat;
            m_acknowledged = false;
            m_sink->postNewFrame();
            if (m_repeat == 0)
                break;
        }
        std::unique_lock<std::mutex> lock(m_stateMutex);
        m_stateCv.wait(lock, [this] { return m_acknowledged; });
        m_acknowledged = false;
        // The period counts from the acknowledgement; a stop cuts the sleep short.
        m_stateCv.wait_for(lock, std::chrono::milliseconds(m_period), [this] { return !m_active; });
    }
    std::lock_guard<std::mutex> lock(m_stateMutex);
    m_workerRunning = false;
}

void CJBusLink::stopPolling() {
    if (!m_worker.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_active = false;
        m_acknowledged = true;
    }
    m_stateCv.notify_all();
    m_worker.join();
}

void CJBusLink::acknowledge() {
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        m_acknowledged = true;
    }
    m_stateCv.notify_all();
}

bool CJBusLink::polling() {
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_workerRunning;
}

JBusRequest CJBusLink::getRequest() {
    std::lock_guard<std::mutex> lock(m_requestMutex);
    return m_polled;
}

void CJBusLink::setRequest(const JBusRequest& request) {
    std::lock_guard<std::mutex> lock(m_requestMutex);
    m_polled = request;
}

} // namespace ks
