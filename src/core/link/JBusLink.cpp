#include "link/JBusLink.h"

#include "link/ResultCodes.h"

#include "link/ReplySplitter.h"

#include <algorithm>
#include <chrono>
#include <thread>

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

CJBusLink::LineCounts CJBusLink::lineCounts() const {
    LineCounts c;
    c.late = m_late.load();
    c.stale = m_stale.load();
    c.discarded = m_discarded.load();
    c.lost = m_lost.load();
    c.reopened = m_reopened.load();
    return c;
}

void CJBusLink::dropped(const char* why, const Bytes& bytes) {
    if (m_dropTrace)
        m_dropTrace(why, bytes);
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
    if (code == 0)
        code = exchange(m_codec.requestBytes(), slave, function, expectedLength);
    data.clear();
    if (code == 0) {
        const Bytes& replyData = m_codec.reply().data;
        if (!replyData.empty())
            data.assign(replyData.begin() + 1, replyData.end());
    }
    m_busy.store(false);
    return code;
}

int CJBusLink::exchange(const Bytes& request, int slave, int function, int expectedLength) {
    if (m_portLost.load() && !recoverLine())
        return m_cancel.load() ? LINK_CANCELLED : LINK_PORT_LOST;
    if (serialLink().lineGeneration() != m_owedLine) {
        m_owed.forget();
        m_owedLine = serialLink().lineGeneration();
    }
    m_owed.beginExchange();
    Bytes reception;
    int code = LINK_NO_REPLY;
    bool failed = false;
    for (int attempt = 1; attempt <= m_retries; ++attempt) {
        if (m_cancel.load())
            return LINK_CANCELLED;
        m_attempt.store(attempt);
        m_codec.reply().clear();
        switch (settle(failed, reception)) {
        case Settle::Lost:
            loseLine();
            return LINK_PORT_LOST;
        case Settle::Cancelled:
            return LINK_CANCELLED;
        case Settle::Answered:
            // A late reply to an earlier attempt of this exchange: as good as any.
            code = checkReply(reception);
            if (code == 0)
                return 0;
            break;
        case Settle::Clear:
            break;
        }
        setExpectedLength(expectedLength);
        m_lastRequest = request;
        if (m_trace)
            m_trace(true, request);
        if (serialLink().writeBlock(request) == PORT_LOST) {
            m_lastRequest.clear();
            loseLine();
            return LINK_PORT_LOST;
        }
        m_owed.sent(slave, function, static_cast<std::size_t>(expectedLength),
                    COwedReplies::Clock::now(), firstByteTimeout());
        code = m_cancel.load() ? LINK_CANCELLED : awaitReply(reception);
        m_lastRequest.clear();
        if (m_cancel.load())
            return LINK_CANCELLED;
        if (code == LINK_PORT_LOST) {
            loseLine();
            return code;
        }
        if (code == 0)
            return 0;
        failed = true;
    }
    return code;
}

int CJBusLink::checkReply(const Bytes& reception) {
    const int code = m_codec.parseReply(reception);
    return code != 0 ? code : m_codec.validate();
}

int CJBusLink::awaitReply(Bytes& reception) {
    using Clock = COwedReplies::Clock;
    const auto sentAt = Clock::now();
    // A reply given to an earlier exchange that this request could have caused as well.
    // When nothing follows it for twice as long as that earlier request waited for it, it
    // was this request's reply after all: that request was lost, and a meter that slow
    // would have answered this one by then.
    Bytes held;
    auto heldUntil = sentAt;
    for (;;) {
        reception.clear();
        int waitMs = firstByteTimeout();
        if (!held.empty())
            waitMs = static_cast<int>(std::max<long long>(
                0, std::chrono::ceil<std::chrono::milliseconds>(heldUntil - Clock::now()).count()));
        const int code = receiveWithin(reception, false, waitMs);
        if (code == LINK_NO_REPLY && !held.empty() && !m_cancel.load()) {
            reception = held;
            m_owed.takeCurrent();
            m_stale.fetch_sub(1);
            if (m_trace)
                m_trace(false, reception);
            m_codec.parseReply(reception);
            return m_codec.validate();
        }
        if (code != 0 || m_cancel.load())
            return code;
        const int parsed = m_codec.parseReply(reception);
        if (parsed != 0) {
            dropped("broken", reception);
            m_owed.brokenReply(Clock::now());
            return parsed;
        }
        const COwedReplies::Match m = m_owed.arrived(reception, Clock::now());
        if (m.late)
            m_late.fetch_add(1);
        if (m.owner != COwedReplies::Owner::Earlier) {
            // Taken as the answer to this request (and validated against it).
            if (m_trace)
                m_trace(false, reception);
            // Another slave, or a length no request asked for, took the place of a reply.
            if (m.owner == COwedReplies::Owner::None)
                m_owed.brokenReply(Clock::now());
            return m_codec.validate();
        }
        // The reply to an earlier exchange: ours, if it comes, follows it.
        m_stale.fetch_add(1);
        dropped("stale", reception);
        held.clear();
        if (m.couldBeCurrent) {
            held = reception;
            const auto wait =
                std::chrono::milliseconds(2 * std::max<long long>(firstByteTimeout(), m.ageMs));
            heldUntil = std::max(Clock::now(), sentAt + wait);
        }
    }
}

CJBusLink::Settle CJBusLink::settle(bool afterFailure, Bytes& reception) {
    using Clock = COwedReplies::Clock;
    // The inter-frame gap of the line (3.5 characters), at least 2 ms for a buffered adapter.
    const long baud = serialLink().baud();
    const auto gap = std::chrono::microseconds(
        std::max<long long>(2000, baud > 0 ? 35LL * 1000000LL / baud : 0));
    const auto start = Clock::now();
    // After a failure the line must fall quiet, but a line that never does (noise) cannot
    // hold the next attempt back for more than one first-byte time-out.
    const auto quietLimit = start + std::chrono::milliseconds(firstByteTimeout());
    auto lastByte = start;
    Bytes pending;
    bool answered = false;
    auto takeFrames = [&](bool noMore) {
        for (;;) {
            Bytes frame;
            const SplitResult r = takeReplyFrame(pending, frame, noMore);
            if (r == SplitResult::NeedMore)
                return;
            if (r == SplitResult::Garbage) {
                m_discarded.fetch_add(1);
                dropped("noise", frame);
                continue;
            }
            const COwedReplies::Match m = m_owed.arrived(frame, Clock::now());
            if (m.late)
                m_late.fetch_add(1);
            if (m.owner == COwedReplies::Owner::Current && !answered) {
                reception = frame;
                answered = true;
                if (m_trace)
                    m_trace(false, frame);
            } else if (m.owner == COwedReplies::Owner::None) {
                m_discarded.fetch_add(1);
                dropped("foreign", frame);
            } else {
                m_stale.fetch_add(1);
                dropped(m.owner == COwedReplies::Owner::Current ? "late" : "stale", frame);
            }
        }
    };
    for (;;) {
        if (m_cancel.load())
            return Settle::Cancelled;
        const auto now = Clock::now();
        auto until = m_owed.quietUntil(now);
        if (afterFailure)
            until = std::max(until, std::min(lastByte + gap, quietLimit));
        if (answered || now >= until)
            break;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - now).count();
        const int r = collect(pending, static_cast<int>(std::clamp<long long>(left, 1, 100)));
        if (r == PORT_LOST)
            return Settle::Lost;
        if (r == 0) {
            lastByte = Clock::now();
            takeFrames(false);
        }
    }
    // What is left in the port came in before this request: not its reply.
    if (!answered) {
        const int r = collect(pending, 0);
        if (r == PORT_LOST)
            return Settle::Lost;
    }
    takeFrames(true);
    serialLink().flush();
    return answered ? Settle::Answered : Settle::Clear;
}

void CJBusLink::loseLine() {
    if (m_portLost.exchange(true))
        return;
    m_lost.fetch_add(1);
    // The device is gone for good: nothing sent to it can be answered any more.
    m_owed.forget();
    close();
}

bool CJBusLink::recoverLine() {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(firstByteTimeout());
    for (;;) {
        if (m_cancel.load())
            return false;
        if (reopen() == 0) {
            m_portLost.store(false);
            m_reopened.fetch_add(1);
            m_owed.forget();
            return true;
        }
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        std::this_thread::sleep_for(
            std::min<Clock::duration>(deadline - now, std::chrono::milliseconds(100)));
    }
}

} // namespace ks
