#include "FrameQueue.h"

#include <chrono>

namespace ks::cli {

namespace {
volatile std::sig_atomic_t g_stop = 0;
// What handled the signals before (the link's cancel): still told, so that the exchange
// under way ends at once.
void (*g_previous[2])(int) = {nullptr, nullptr};
void onSignal(int sig) {
    g_stop = sig;
    void (*previous)(int) = g_previous[sig == SIGINT ? 0 : 1];
    if (previous != nullptr && previous != SIG_DFL && previous != SIG_IGN && previous != SIG_ERR &&
        previous != onSignal)
        previous(sig);
}
} // namespace

FrameQueue::FrameQueue() {
    g_stop = 0;
    g_previous[0] = std::signal(SIGINT, onSignal);
    g_previous[1] = std::signal(SIGTERM, onSignal);
}

FrameQueue::~FrameQueue() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

void FrameQueue::postNewFrame() {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_pending;
    m_cv.notify_all();
}

int FrameQueue::stopSignal() const {
    return g_stop;
}

bool FrameQueue::wait() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (m_pending == 0) {
        if (g_stop)
            return false;
        // A signal handler cannot notify: look at the flag a few times a second.
        m_cv.wait_for(lock, std::chrono::milliseconds(100));
    }
    --m_pending;
    return true;
}

} // namespace ks::cli
