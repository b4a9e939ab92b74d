#include "link/SerialAlias.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace ks {

std::string stableSerialName(const std::string& path, const std::string& byIdFolder) {
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0 || !S_ISCHR(target.st_mode))
        return {};
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(byIdFolder.c_str()), &::closedir);
    if (!dir)
        return {};
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string candidate = byIdFolder + "/" + name;
        struct stat st {};
        // The same character device, whatever chain of links leads to it.
        if (::stat(candidate.c_str(), &st) == 0 && S_ISCHR(st.st_mode) &&
            st.st_rdev == target.st_rdev)
            return candidate;
    }
    return {};
}

} // namespace ks
