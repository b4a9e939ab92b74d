// calyptron-sim: a simulated Calyptron meter on a pseudo-terminal.
#include "app/Version.h"
#include "sim/SimCommandLine.h"
#include "sim/SimServer.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Replaces an old link of ours (a symbolic link) but never a real file.
bool makeLink(const std::string& link, const std::string& target, std::string& error) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            error = link + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        error = link + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// Removes the link only while it still points at our terminal (another simulator may
// have taken the name over since).
void removeLink(const std::string& link, const std::string& target) {
    std::vector<char> buf(target.size() + 2);
    const ssize_t n = ::readlink(link.c_str(), buf.data(), buf.size());
    if (n >= 0 && std::string(buf.data(), static_cast<std::size_t>(n)) == target)
        ::unlink(link.c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    ks::sim::SimCommandLine cmd;
    std::string error;
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("calyptron-sim %s\n", ks::version::programVersion().c_str());
        return 0;
    }
    if (!ks::sim::parseSimCommandLine(args, cmd, error)) {
        std::fprintf(stderr, "calyptron-sim: %s\n%s", error.c_str(), ks::sim::simUsage().c_str());
        return 2;
    }
    if (cmd.help) {
        std::fputs(ks::sim::simUsage().c_str(), stdout);
        return 0;
    }

    // Signals are taken synchronously below; the server thread inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    ks::sim::CSimServer server(cmd.options);
    if (!server.start(&error)) {
        std::fprintf(stderr, "calyptron-sim: %s\n", error.c_str());
        return 1;
    }
    const std::string path = server.slavePath();
    if (!cmd.link.empty() && !makeLink(cmd.link, path, error)) {
        std::fprintf(stderr, "calyptron-sim: %s\n", error.c_str());
        server.stop();
        return 1;
    }
    std::printf("PTY %s\n", path.c_str());
    std::fflush(stdout);

    int signal = 0;
    while (sigwait(&stopSignals, &signal) != 0) {
    }
    server.stop();
    if (!cmd.link.empty())
        removeLink(cmd.link, path);
    return 0;
}
