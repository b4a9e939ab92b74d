#include "link/OwedReplies.h"

#include <algorithm>

namespace ks {

namespace {

// A reply window never grows past this: a meter that answers a minute late is not answering.
constexpr int kMaxWindowMs = 60000;
// Requests are forgotten after this many reply windows, and never sooner than kMinHorizonMs.
constexpr int kHorizonWindows = 4;
constexpr int kMinHorizonMs = 2000;

} // namespace

void COwedReplies::sent(int slave, int function, std::size_t replyLength, Clock::time_point at,
                        int timeoutMs) {
    expire(at);
    if (m_owed.size() >= kMaxOwed)
        m_owed.pop_front();
    m_owed.push_back(Owed{m_exchange, slave, function, replyLength, at, std::max(0, timeoutMs)});
}

bool COwedReplies::answers(const Owed& o, const Bytes& frame) const {
    if (frame.size() < 2)
        return false;
    if (o.slave != 0 && frame[0] != o.slave)
        return false;
    if (frame[1] == (o.function | 0x80))
        return frame.size() == 5;
    return frame[1] == o.function && frame.size() == o.length;
}

int COwedReplies::windowFor(const Owed& o) const {
    return std::max(o.timeoutMs, m_windowMs);
}

COwedReplies::Match COwedReplies::arrived(const Bytes& frame, Clock::time_point at) {
    expire(at);
    const auto it = std::find_if(m_owed.begin(), m_owed.end(),
                                 [&](const Owed& o) { return answers(o, frame); });
    if (it == m_owed.end())
        return {};
    Match m;
    m.owner = it->exchange == m_exchange ? Owner::Current : Owner::Earlier;
    const auto age = [at](const Owed& o) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(at - o.sentAt).count();
    };
    m.late = age(*it) > it->timeoutMs;
    m.ageMs = age(*it);
    m.couldBeCurrent =
        m.owner == Owner::Earlier && std::any_of(it + 1, m_owed.end(), [&](const Owed& o) {
            return o.exchange == m_exchange && answers(o, frame);
        });
    // How slow the meter surely is: the reply may belong to the newest request that could
    // have caused it, so only the time since that one counts. Measured from an older request
    // a lost one would make the window grow without reason.
    const auto newest = std::find_if(m_owed.rbegin(), m_owed.rend(),
                                     [&](const Owed& o) { return answers(o, frame); });
    const long long surely = age(*newest);
    if (surely > newest->timeoutMs) {
        // The meter can be this slow: give every owed reply twice as long from now on.
        m_windowMs = static_cast<int>(std::clamp<long long>(2 * surely, m_windowMs, kMaxWindowMs));
    }
    m_owed.erase(m_owed.begin(), it + 1);
    return m;
}

void COwedReplies::takeCurrent() {
    const auto it = std::find_if(m_owed.begin(), m_owed.end(),
                                 [&](const Owed& o) { return o.exchange == m_exchange; });
    if (it != m_owed.end())
        m_owed.erase(it);
}

void COwedReplies::brokenReply(Clock::time_point at) {
    expire(at);
    if (m_owed.empty() || m_owed.front().exchange != m_exchange)
        return;
    m_owed.pop_front();
}

COwedReplies::Clock::time_point COwedReplies::quietUntil(Clock::time_point now) {
    expire(now);
    Clock::time_point until = now;
    for (const Owed& o : m_owed)
        until = std::max(until, o.sentAt + std::chrono::milliseconds(windowFor(o)));
    return until;
}

void COwedReplies::expire(Clock::time_point now) {
    while (!m_owed.empty()) {
        const Owed& o = m_owed.front();
        const int horizon = std::max(kMinHorizonMs, kHorizonWindows * windowFor(o));
        if (now - o.sentAt < std::chrono::milliseconds(horizon))
            break;
        m_owed.pop_front();
    }
}

} // namespace ks
