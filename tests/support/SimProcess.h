#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace ks::test {

// Runs calyptron-sim (KS_SIM_PATH) as a child process for end-to-end tests.
class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Spawns the simulator with these arguments and waits up to timeoutMs for its first
    // line "PTY <path>". False (child reaped, reason in error()) when it does not come.
    bool start(const std::vector<std::string>& args, int timeoutMs = 5000);
    // The pseudo-terminal the simulator serves; empty until started.
    const std::string& path() const { return m_path; }
    pid_t pid() const { return m_pid; }
    bool running() const { return m_pid > 0; }
    const std::string& error() const { return m_error; }
    // What the last stop() returned (also after a failed start).
    int exitStatus() const { return m_exitStatus; }

    // Sends SIGTERM and reaps the child (SIGKILL after timeoutMs). Returns its exit
    // status, 128 + signal number when a signal ended it, -1 when it was not running.
    int stop(int timeoutMs = 5000);

private:
    int reap(int timeoutMs);

    pid_t m_pid = -1;
    int m_stdout = -1;
    std::string m_path;
    std::string m_error;
    int m_exitStatus = -1;
};

} // namespace ks::test
