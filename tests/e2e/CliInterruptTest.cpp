// Ctrl+C during a read or write of calyptron-cli ends it as Cancel does in the window.
#include "support/PtyPair.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ks::test {

namespace {

using Clock = std::chrono::steady_clock;

// Starts the program with its outputs thrown away.
pid_t spawn(const std::vector<std::string>& args, const std::string& home) {
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    setenv("CALYPTRON_HOME", home.c_str(), 1);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(KS_CLI_PATH));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(KS_CLI_PATH, argv.data());
    _exit(127);
}

// The exit status, or -1 when the program did not end within the limit.
int waitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    int status = 0;
    while (Clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

} // namespace

TEST(CliInterrupt, CtrlCDuringAnExchangeExits130) {
    const std::vector<std::vector<std::string>> commands = {{"read", "4352", "4"},
                                                            {"write", "4352", "1", "2"}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        PtyPeer peer;
        ASSERT_TRUE(peer.start([](const Bytes&, int) { return PtyPeer::Answer{}; }));
        TempFolder home;
        std::vector<std::string> args = {"--port", peer.slavePath(), "--timeout", "1000"};
        args.insert(args.end(), command.begin(), command.end());
        const pid_t pid = spawn(args, home.path());
        ASSERT_GT(pid, 0);
        // Into the first attempt's wait.
        const auto asked = Clock::now() + std::chrono::seconds(10);
        while (peer.requests() == 0 && Clock::now() < asked)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_GT(peer.requests(), 0);
        const auto sent = Clock::now();
        kill(pid, SIGINT);
        EXPECT_EQ(waitFor(pid, std::chrono::seconds(5)), 130);
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
        // Within one first-byte time-out (1 s), with room for a loaded machine.
        EXPECT_LT(took, 1800) << took;
        EXPECT_EQ(peer.requests(), 1); // no further attempt
    }
}

} // namespace ks::test
