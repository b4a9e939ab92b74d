#include "support/SimProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace ks::test {

namespace {

using Clock = std::chrono::steady_clock;

int millisLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

SimProcess::~SimProcess() {
    stop();
}

bool SimProcess::start(const std::vector<std::string>& args, int timeoutMs) {
    if (running()) {
        m_error = "already running";
        return false;
    }
    m_error.clear();
    m_path.clear();
    m_exitStatus = -1;
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        m_error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    std::vector<std::string> argvText{KS_SIM_PATH};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The simulator ends with the test that started it: a test that crashes or is killed
    // must not leave it behind holding the test runner's output open.
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        // Only system calls from here to exec: the test may run other threads.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
        ::dup2(out[1], STDOUT_FILENO);
        ::execve(KS_SIM_PATH, argv.data(), environ);
        ::_exit(127);
    }
    const int spawnError = errno;
    ::close(out[1]);
    if (m_pid < 0) {
        m_pid = -1;
        ::close(out[0]);
        m_error = std::string("fork: ") + std::strerror(spawnError);
        return false;
    }
    m_stdout = out[0];

    // The first line, byte by byte so nothing after it is swallowed.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string line;
    while (line.size() < 4096) {
        pollfd p{m_stdout, POLLIN, 0};
        if (::poll(&p, 1, millisLeft(deadline)) <= 0) {
            if (errno == EINTR && millisLeft(deadline) > 0)
                continue;
            m_error = "no PTY line from the simulator in time";
            break;
        }
        char c = 0;
        const ssize_t n = ::read(m_stdout, &c, 1);
        if (n <= 0) {
            m_error = "the simulator ended before its PTY line";
            break;
        }
        if (c == '\n') {
            if (line.rfind("PTY ", 0) == 0 && line.size() > 4)
                m_path = line.substr(4);
            else
                m_error = "unexpected first line: " + line;
            break;
        }
        line.push_back(c);
    }
    if (m_path.empty()) {
        if (m_error.empty())
            m_error = "first line too long";
        stop(1000);
        return false;
    }
    return true;
}

int SimProcess::reap(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) {
            if (WIFEXITED(status))
                return WEXITSTATUS(status);
            if (WIFSIGNALED(status))
                return 128 + WTERMSIG(status);
            return -1;
        }
        if (r < 0 && errno != EINTR)
            return -1;
        if (Clock::now() >= deadline)
            return -2;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int SimProcess::stop(int timeoutMs) {
    int status = -1;
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        status = reap(timeoutMs);
        if (status == -2) {
            ::kill(m_pid, SIGKILL);
            status = reap(5000);
        }
        m_pid = -1;
    }
    if (m_stdout >= 0) {
        ::close(m_stdout);
        m_stdout = -1;
    }
    if (status != -1)
        m_exitStatus = status;
    return status;
}

} // namespace ks::test
