#include "reports/TestLoop.h"

#include "reports/TestFields.h"

#include <chrono>

namespace ks {

namespace {
std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

CTestLoop::CTestLoop(CBlockExchange& exchange, const CFieldList& fields)
    : m_exchange(exchange), m_fields(fields), m_clock(&steadyMs) {}

int CTestLoop::qualityOfChord1() const {
    const CField* f = m_fields.find(test::id::kQuality1);
    return f ? static_cast<int>(f->number()) : -1;
}

CTestLoop::Result CTestLoop::run() {
    Result r;
    if (cancelled())
        return r;
    if (m_settingsBlock >= 0 && m_exchange.writeBlock(m_settingsBlock) != 0) {
        r.outcome = Outcome::TransferFailed;
        return r;
    }
    const std::int64_t start = m_clock();
    int secondsShown = 0;
    bool first = true;
    while (r.failures < kFailureLimit) {
        if (!first && m_pause)
            m_pause();
        first = false;
        if (cancelled()) {
            r.outcome = Outcome::Cancelled;
            r.elapsedMs = m_clock() - start;
            return r;
        }
        if (m_exchange.readBlock(test::block::kMeasurement) != 0) {
            ++r.failures;
            continue;
        }
        ++r.measurements;
        r.lastQuality = qualityOfChord1();
        const std::int64_t elapsed = m_clock() - start;
        const int seconds = static_cast<int>(elapsed / 1000);
        if (seconds > secondsShown) {
            secondsShown = seconds;
            if (m_progress)
                m_progress(seconds);
        }
        r.qualityReached = r.lastQuality == 100;
        if (!r.qualityReached && elapsed <= m_qualityLimitMs)
            continue;
        if (cancelled())
            break;
        if (m_exchange.readBlock(test::block::kEcho) == 0) {
            r.outcome = Outcome::Done;
            r.elapsedMs = m_clock() - start;
            return r;
        }
        ++r.failures;
    }
    r.outcome = r.failures >= kFailureLimit ? Outcome::TooManyFailures : Outcome::Cancelled;
    r.elapsedMs = m_clock() - start;
    return r;
}

} // namespace ks
