#include "link/ModemJob.h"

#include "link/FrameReceiver.h"
#include "link/ModemCommands.h"

#include <chrono>

namespace ks {

namespace {

constexpr int kInitialisingText = 150; // "Initialisation : "
constexpr int kDiallingText = 217;     // "Numérotation : "
constexpr int kHangingUpText = 247;    // "Raccrochage : "
// A modem text reply is never this long; the JBus reply length of an earlier exchange
// must not cut it short.
constexpr int kTextReplyLimit = 500;

} // namespace

CModemJob::CModemJob(CFrameReceiver& link, CModemJobObserver& observer, int language,
                     ModemTimeouts timeouts)
    : m_link(link), m_observer(observer), m_language(language), m_timeouts(timeouts) {}

CModemJob::~CModemJob() {
    if (running())
        cancel();
    wait();
}

bool CModemJob::running() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_worker.joinable() && !m_done;
}

int CModemJob::openLine(int port, int baudIndex) {
    bool connected = false;
    return m_link.open(port, baudIndex, 'N', 8, 1, false, connected);
}

int CModemJob::startConnect(int port, int baudIndex, const std::string& initCommand,
                            const std::string& dialCommand) {
    if (running())
        return -1;
    wait();
    const int code = openLine(port, baudIndex);
    if (code != 0)
        return code;
    m_init = initCommand;
    m_dial = dialCommand;
    return launch(&CModemJob::connectBody) ? 0 : -1;
}

int CModemJob::startDisconnect(int port, int baudIndex, const std::string& hangUpCommand) {
    if (running())
        return -1;
    wait();
    const int code = openLine(port, baudIndex);
    if (code != 0)
        return code;
    m_hangUp = hangUpCommand;
    return launch(&CModemJob::disconnectBody) ? 0 : -1;
}

bool CModemJob::launch(void (CModemJob::*body)()) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_started = false;
        m_done = false;
    }
    m_cancel.store(false);
    try {
        m_worker = std::thread([this, body] {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_started = true;
            }
            m_cv.notify_all();
            (this->*body)();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_done = true;
            }
            m_cv.notify_all();
        });
    } catch (...) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
        return false;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cv.wait(lock, [this] { return m_started; });
    return true;
}

void CModemJob::wait() {
    if (!m_worker.joinable())
        return;
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_done) {
        // A cancel may come just before the worker starts to wait for a reply: end that
        // wait again until the worker has seen the cancel.
        if (m_cancel.load()) {
            lock.unlock();
            m_link.endOfReception();
            lock.lock();
        }
        m_cv.wait_for(lock, std::chrono::milliseconds(50));
    }
    lock.unlock();
    m_worker.join();
}

void CModemJob::acknowledge() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_acknowledged = true;
    }
    m_cv.notify_all();
}

void CModemJob::cancel() {
    m_cancel.store(true);
    m_cv.notify_all();
    m_link.endOfReception();
}

void CModemJob::report(int step, const std::string& text) {
    if (m_cancel.load())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_acknowledged = false;
    }
    m_observer.modemStep(*this, step, text);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cv.wait(lock, [this] { return m_acknowledged || m_cancel.load(); });
}

bool CModemJob::pause(int ms) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_cv.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_cancel.load(); });
}

std::string CModemJob::exchange(const std::string& command, int firstByteTimeoutMs) {
    if (m_cancel.load())
        return {};
    const int savedTimeout = m_link.firstByteTimeout();
    const int savedLength = m_link.expectedLength();
    m_link.setFirstByteTimeout(firstByteTimeoutMs);
    m_link.setExpectedLength(kTextReplyLimit);
    m_link.sendText(command);
    std::string reply;
    if (!m_cancel.load())
        m_link.receiveText(reply);
    m_link.setFirstByteTimeout(savedTimeout);
    m_link.setExpectedLength(savedLength);
    return m_cancel.load() ? std::string() : reply;
}

void CModemJob::connectBody() {
    report(modemstep::kText, m_texts.text(kInitialisingText, m_language) + m_init);
    const std::string initReply = exchange(m_init, m_timeouts.initMs);
    report(modemstep::kInit, initReply);
    if (m_cancel.load() || !modem::saysOk(initReply))
        return;
    report(modemstep::kText, m_texts.text(kDiallingText, m_language) + m_dial);
    const std::string dialReply = exchange(m_dial, m_timeouts.dialMs);
    if (m_cancel.load()) {
        // Any character breaks off a call the modem is still setting up.
        m_link.sendText("\r");
        return;
    }
    report(modemstep::kDial, dialReply);
}

void CModemJob::disconnectBody() {
    if (!pause(m_timeouts.beforeEscapeMs))
        return;
    report(modemstep::kText, std::string("\n") + modem::kEscape + "\n");
    const std::string escapeReply = exchange(modem::kEscape, m_timeouts.escapeMs);
    report(modemstep::kEscape, escapeReply);
    if (m_cancel.load() || !modem::saysOk(escapeReply))
        return;
    if (!pause(m_timeouts.afterEscapeMs))
        return;
    report(modemstep::kText, m_texts.text(kHangingUpText, m_language) + m_hangUp);
    report(modemstep::kHangUp, exchange(m_hangUp, m_timeouts.hangUpMs));
}

} // namespace ks
