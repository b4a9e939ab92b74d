#include "app/ProgramHome.h"

#include <filesystem>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace ks {

namespace {

std::string withSlash(std::string path) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string nonEmpty(const EnvLookup& env, const char* name) {
    const auto v = env(name);
    return v ? *v : std::string();
}

// The home folder from the password database, for sessions without $HOME.
std::string accountHome() {
    std::vector<char> buf(16384);
    struct passwd pw {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr)
        return {};
    return found->pw_dir;
}

} // namespace

std::string absolutePath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    const auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.string();
}

std::string resolveProgramHome(const EnvLookup& env) {
    const std::string explicitHome = nonEmpty(env, "CALYPTRON_HOME");
    if (!explicitHome.empty())
        return withSlash(absolutePath(explicitHome));
    // A relative XDG_CONFIG_HOME is to be ignored, as every XDG-aware program does.
    const std::string xdg = nonEmpty(env, "XDG_CONFIG_HOME");
    if (!xdg.empty() && xdg.front() == '/')
        return withSlash(xdg) + "calyptron/";
    std::string home = nonEmpty(env, "HOME");
    if (home.empty())
        home = accountHome();
    if (home.empty())
        return {};
    return withSlash(absolutePath(home)) + ".config/calyptron/";
}

} // namespace ks
