#pragma once

#include "sim/PseudoTerminal.h"
#include "sim/SimMeter.h"
#include "sim/SimOptions.h"

#include <atomic>
#include <string>
#include <thread>

namespace ks::sim {

// Serves a CSimMeter on a pseudo-terminal from its own thread: frames the requests,
// answers only at the configured line rate, and applies the options' line faults,
// delay and pacing to the replies.
class CSimServer {
public:
    explicit CSimServer(const SimOptions& options);
    ~CSimServer();
    CSimServer(const CSimServer&) = delete;
    CSimServer& operator=(const CSimServer&) = delete;

    // Opens the pseudo-terminal and starts serving; false with a reason on failure.
    bool start(std::string* error);
    // The path a client opens; empty until started.
    std::string slavePath() const;
    // Stops serving and closes the line; safe to call more than once.
    void stop();
    CSimMeter& meter() { return m_meter; }

private:
    void run();
    bool waitForWake(int timeoutMs);

    const SimOptions m_options;
    CSimMeter m_meter;
    CPseudoTerminal m_pty;
    std::string m_path;
    int m_wake[2] = {-1, -1};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    double m_startTime = 0;
};

} // namespace ks::sim
