#pragma once

#include "link/JBusRequest.h"

#include <condition_variable>
#include <csignal>
#include <mutex>

namespace ks::cli {

// Hands each notification of the polling worker to a command's main loop, which prints and
// acknowledges; SIGINT and SIGTERM end the wait while the queue is alive.
class FrameQueue : public CFrameSink {
public:
    FrameQueue();
    ~FrameQueue() override;
    FrameQueue(const FrameQueue&) = delete;
    FrameQueue& operator=(const FrameQueue&) = delete;

    void postNewFrame() override;
    // The next notification; false once a signal asked to stop.
    bool wait();
    // The signal that ended the wait (SIGINT, SIGTERM), 0 while none came.
    int stopSignal() const;
    // The exit status a shell expects after that signal (128 + its number), or 0.
    int stopStatus() const { return stopSignal() != 0 ? 128 + stopSignal() : 0; }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_pending = 0;
};

} // namespace ks::cli
