#include "FrameQueue.h"

#include <chrono>

namespace ks::cli {

namespace {
volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) {
    g_stop = 1;
}
} // namespace

FrameQueue::FrameQueue() {
    g_stop = 0;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
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
