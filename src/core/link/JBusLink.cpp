#include "link/JBusLink.h"

#include "link/ResultCodes.h"

#include <algorithm>

namespace ks {

CJBusLink::~CJBusLink() {
    stopPolling();
    close();
}

bool CJBusLink::receptionComplete(Bytes& reception) {
    // A line that echoes what we send (two-wire adapters) gives back the request first:
    // drop an exact copy and keep listening. While the bytes may still be that copy, only
    // the time-out ends the reply.
    const Bytes& rq = m_lastRequest;
    if (!rq.empty() && reception.size() <= rq.size() &&
        std::equal(reception.begin(), reception.end(), rq.begin())) {
        if (reception.size() == rq.size()) {
            reception.clear();
        }
        return false;
    }
    if (CFrameReceiver::receptionComplete(reception))
        return true;
    if (reception.size() > 2) {
        const std::size_t n = reception.size();
        // An exception reply is always 5 bytes; waiting for the inter-byte time-out to end it
        // would cost a second per attempt.
        if ((reception[1] & 0x80) && n == 5)
            return true;
        if (reception[1] != 16)
            return n == static_cast<std::size_t>(reception[2]) + 5;
        return n == 8;
    }
    return false;
}

void CJBusLink::cancel() {
    requestCancel();
    // Wakes a transaction waiting for its reply; it then sees the flag.
    endOfReception();
}

int CJBusLink::transaction(JBusRequest& r) {
    return transaction(r.slave, r.function, r.address, r.count, r.data, r.itemSize);
}

int CJBusLink::transaction(int slave, int function, int address, int count, Bytes& data,
                           int itemSize) {
    if (m_cancel.load()) {
        data.clear();
        return LINK_CANCELLED;
    }
    bool expected = false;
    if (!m_busy.compare_exchange_strong(expected, true))
        return LINK_BUSY;

    m_codec.request().clear();
    float pause = 0.0f;
    if (baudIndex() == kBluetoothBaudIndex)
        pause = function == 16 ? 0.02f : 0.003f;
    serialLink().setBytePause(pause);
    const int expectedLength = function == 16 ? 8 : count * (itemSize == 0 ? 2 : itemSize) + 5;

    int code =
        m_codec.encode(slave, function, address, count, itemSize, function == 16 ? data : Bytes{});
    if (code != 0) {
        data.clear();
        m_busy.store(false);
        return code;
    }
    const Bytes request = m_codec.requestBytes();
    Bytes reception;
    for (int attempt = 1; attempt <= m_retries; ++attempt) {
        if (m_cancel.load()) {
            code = LINK_CANCELLED;
            break;
        }
        m_attempt.store(attempt);
        m_codec.reply().clear();
        reception.clear();
        serialLink().flush();
        setExpectedLength(expectedLength);
        m_lastRequest = request;
        if (m_trace)
            m_trace(true, request);
        serialLink().writeBlock(request);
        // The input was drained before sending; draining it again now could throw away the
        // reply of a meter that answers at once.
        code = m_cancel.load() ? LINK_CANCELLED : receive(reception, false);
        m_lastRequest.clear();
        if (m_cancel.load()) {
            code = LINK_CANCELLED;
            break;
        }
        if (code != 0)
            continue;
        if (m_trace)
            m_trace(false, reception);
        code = m_codec.parseReply(reception);
        if (code != 0)
            continue;
        code = m_codec.validate();
        if (code == 0)
            break;
    }
    data.clear();
    if (code == 0) {
        const Bytes& replyData = m_codec.reply().data;
        if (!replyData.empty())
            data.assign(replyData.begin() + 1, replyData.end());
    }
    m_busy.store(false);
    return code;
}

} // namespace ks
