#include "support/RunProgram.h"

#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ks::test {

ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env) {
    ProgramResult result;
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);

    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        const std::string s = *e;
        const auto eq = s.find('=');
        if (eq != std::string::npos && env.count(s.substr(0, eq)))
            continue;
        envStrings.push_back(s);
    }
    for (const auto& [k, v] : env)
        envStrings.push_back(k + "=" + v);
    std::vector<char*> envp, argv;
    for (auto& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string program = path;
    argv.push_back(program.data());
    std::vector<std::string> argsCopy = args;
    for (auto& a : argsCopy)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (rc != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return result;
    }
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ks-test-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ec);
}

} // namespace ks::test
