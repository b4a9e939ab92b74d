#pragma once

#include "link/JBusFrame.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace ks {

// The replies the meter may still send: one per request frame that went out and was not
// answered yet. A function-3 reply carries no address, so a late reply to one read looks like
// the reply to the next read of the same size; the line alone cannot tell them apart. The
// meter answers its requests in order, so a reply belongs to the oldest owed request it can
// answer (same slave, function and length, or an exception to that function): when that
// request belongs to an earlier exchange the reply is stale, whatever the current request.
//
// A request is only forgotten when a reply takes it, when it is older than the horizon (a
// few reply windows), when too many are owed, or when the port is closed. The reply window
// starts at the first-byte time-out and grows to twice the slowest reply seen, so that after
// the meter has once answered late, nothing new is sent while a reply can still come.
class COwedReplies {
public:
    using Clock = std::chrono::steady_clock;

    enum class Owner {
        None,    // no owed request can produce this frame (another slave, a wrong length)
        Current, // it answers a request of the running exchange
        Earlier, // it answers a request of an earlier exchange: stale
    };
    struct Match {
        Owner owner = Owner::None;
        bool late = false; // it came after the first-byte time-out of the request it answers
        // Earlier only: a request of the running exchange could have caused it as well, and
        // how long ago the request it was given to went out.
        bool couldBeCurrent = false;
        long long ageMs = 0;
    };

    static constexpr std::size_t kMaxOwed = 32;

    // A new exchange starts: what is owed so far belongs to earlier exchanges.
    void beginExchange() { ++m_exchange; }
    // A request frame went out at `at`; its reply is awaited for timeoutMs.
    void sent(int slave, int function, std::size_t replyLength, Clock::time_point at,
              int timeoutMs);
    // A whole frame with a good CRC arrived at `at`: whose reply it is. Takes that request
    // and every older one it passed (the meter answers in order: those were lost).
    Match arrived(const Bytes& frame, Clock::time_point at);
    // A frame given to an earlier exchange turned out to be the running exchange's (nothing
    // followed it): its oldest request is answered.
    void takeCurrent();
    // A broken reply (bad CRC, too short) came for the running exchange: it takes the oldest
    // request of this exchange, unless a reply to an earlier exchange may still come (the
    // broken one may be that reply; then nothing is taken).
    void brokenReply(Clock::time_point at);
    // No request should be sent before this point: a reply still owed may come until then.
    Clock::time_point quietUntil(Clock::time_point now);
    // The port was closed or opened again: nothing sent before can still be answered, and
    // what was learnt of the line's delays no longer holds.
    void forget() {
        m_owed.clear();
        m_windowMs = 0;
    }

    std::size_t owed() const { return m_owed.size(); }
    // How long a reply may still come after its request, in ms.
    int replyWindowMs() const { return m_windowMs; }

private:
    struct Owed {
        std::uint64_t exchange;
        int slave;
        int function;
        std::size_t length;
        Clock::time_point sentAt;
        int timeoutMs;
    };
    bool answers(const Owed& o, const Bytes& frame) const;
    int windowFor(const Owed& o) const;
    void expire(Clock::time_point now);

    std::deque<Owed> m_owed;
    std::uint64_t m_exchange = 0;
    int m_windowMs = 0; // 0: each request's own time-out
};

} // namespace ks
