#include "shell/ConfigurationFiles.h"

#include "app/FileAccess.h"
#include "app/ProfileFile.h"
#include "app/ProgramHome.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace ks {

namespace {

// Whether the chosen file may be written, checked without changing a byte of a file that
// exists (the copy replaces it later in one step). A file created for the check is removed
// again. Opening does not wait: a FIFO without a reader is refused, not waited for.
bool canWrite(const std::string& path) {
    struct stat st {};
    const bool existed = ::stat(path.c_str(), &st) == 0;
    const int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC | (existed ? 0 : O_CREAT | O_EXCL);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0)
        return false;
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!existed)
        ::unlink(path.c_str());
    return regular;
}

bool copyFile(const std::string& from, const std::string& to) {
    std::string bytes;
    if (readFileHead(from, CProfileFile::kMaxFileBytes, bytes) != ReadResult::Ok)
        return false;
    return replaceFileContents(to, bytes) == 0;
}

} // namespace

std::string configurationFileFilter(const std::string& shortName) {
    return "Config File (*." + shortName + ")";
}

bool isSameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    const fs::path pa = fs::path(absolutePath(a)).lexically_normal();
    const fs::path pb = fs::path(absolutePath(b)).lexically_normal();
    if (pa == pb)
        return true;
    std::error_code ec;
    return fs::equivalent(pa, pb, ec) && !ec;
}

ShellMessage saveConfigurationAs(CFlowApp& app, const std::string& chosenPath) {
    using namespace shelltext;
    if (chosenPath.empty())
        return {};
    const std::string target = absolutePath(chosenPath);
    if (isSameFile(target, app.currentConfiguration()))
        return {kSameSourceAndDestination, kErrorCaption};
    if (!canWrite(target))
        return {kCannotOpenDestination, kErrorCaption};
    if (copyFile(app.currentConfiguration(), target)) {
        app.setCurrentConfiguration(target);
        return {};
    }
    app.setCurrentConfiguration(app.defaultConfigurationPath());
    return {kSaveAsFailed, kErrorCaption};
}

} // namespace ks
