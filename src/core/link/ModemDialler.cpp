#include "link/ModemDialler.h"

#include "link/FrameReceiver.h"
#include "link/ModemCommands.h"

#include <chrono>
#include <thread>

namespace ks {

CModemDialler::CModemDialler(CFrameReceiver& link, int language, ModemTimeouts timeouts)
    : m_job(link, *this, language, timeouts) {}

void CModemDialler::modemStep(CModemJob&, int step, const std::string& text) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back({step, text});
    }
    m_cv.notify_all();
}

void CModemDialler::show(const std::string& text) {
    const std::string shown = modem::displayText(text);
    m_status += shown;
    if (m_statusSink)
        m_statusSink(shown);
}

void CModemDialler::tell(int text, int caption) {
    if (m_messageSink)
        m_messageSink(text, caption);
}

ModemStepAction::End CModemDialler::run(bool connectMode, int startCode, int& waitMs) {
    using End = ModemStepAction::End;
    waitMs = 0;
    if (startCode != 0) {
        tell(modemtext::kCannotOpenPort, modemtext::kError);
        return End::Reject;
    }
    End end = End::None;
    for (;;) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait_for(lock, std::chrono::milliseconds(100), [this] { return !m_events.empty(); });
        if (m_events.empty()) {
            lock.unlock();
            if (!m_job.running())
                break;
            if (m_stopCheck && m_stopCheck() && !m_cancelled) {
                m_cancelled = true;
                m_job.cancel();
            }
            continue;
        }
        const Event e = m_events.front();
        m_events.pop_front();
        lock.unlock();
        m_steps.push_back(e.step);
        show(e.text);
        const ModemStepAction a = modemStepAction(connectMode, e.step, e.text);
        if (a.message != 0)
            tell(a.message, a.caption);
        if (a.end != End::None) {
            end = a.end;
            waitMs = a.waitMs;
        }
        m_job.acknowledge();
    }
    m_job.wait();
    return m_cancelled ? End::Reject : end;
}

bool CModemDialler::connect(int port, int baudIndex, const ModemCommandSet& commands) {
    m_status.clear();
    m_steps.clear();
    m_cancelled = false;
    int waitMs = 0;
    const auto end =
        run(true, m_job.startConnect(port, baudIndex, commands.init, commands.dial), waitMs);
    if (end == ModemStepAction::End::HangUp && !m_cancelled) {
        run(true, m_job.startDisconnect(port, baudIndex, commands.hangUp), waitMs);
        return false;
    }
    if (end != ModemStepAction::End::Accept)
        return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    return true;
}

bool CModemDialler::disconnect(int port, int baudIndex, const std::string& hangUpCommand) {
    m_status.clear();
    m_steps.clear();
    m_cancelled = false;
    int waitMs = 0;
    const auto end = run(false, m_job.startDisconnect(port, baudIndex, hangUpCommand), waitMs);
    if (end != ModemStepAction::End::Accept)
        return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    return true;
}

} // namespace ks
