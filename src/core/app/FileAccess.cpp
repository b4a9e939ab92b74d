#include "app/FileAccess.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace ks {

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0) {
            const int saved = errno; // a failure being returned keeps its own error
            ::close(m_fd);
            errno = saved;
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    // Closes now and reports whether the close (which may flush) succeeded.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }
    // Closes now, keeping errno as it was: for cleanup after a failure.
    void discard() {
        const int saved = errno;
        close();
        errno = saved;
    }

private:
    int m_fd;
};

bool writeAll(int fd, std::string_view bytes, off_t at = -1) {
    while (!bytes.empty()) {
        const ssize_t n = at < 0 ? ::write(fd, bytes.data(), bytes.size())
                                 : ::pwrite(fd, bytes.data(), bytes.size(), at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        if (at >= 0)
            at += n;
    }
    return true;
}

bool readAll(int fd, std::string& out) {
    out.clear();
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        out.append(buf, static_cast<std::size_t>(n));
    }
}

// -1 with errno set to `error`.
int failWith(int error) {
    errno = error;
    return -1;
}

// The final path a write lands on: a symbolic link is followed to its target, even one that
// does not exist yet.
std::string writeTarget(const std::string& path) {
    std::string target = path;
    for (int hops = 0; hops < 16; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), buf, sizeof buf - 1);
        if (n <= 0)
            return target;
        const std::filesystem::path link(std::string(buf, static_cast<std::size_t>(n)));
        target = link.is_absolute() ? link.string()
                                    : (std::filesystem::path(target).parent_path() / link).string();
    }
    return target;
}

std::atomic<unsigned> g_tempCounter{0};

// For a file whose folder we may not write in. The new bytes go over the old ones before the
// file is cut to size, so a full disk finds the old blocks still allocated; on any failure
// the old contents are put back, which needs no new space.
int rewriteInPlace(const std::string& target, std::string_view bytes) {
    Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0)
        return -1;
    std::string old;
    if (!readAll(fd.get(), old))
        return -1;
    if (writeAll(fd.get(), bytes, 0) &&
        ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd.get()) == 0)
        return fd.close() ? 0 : -1;
    const int error = errno;
    if (writeAll(fd.get(), old, 0) && ::ftruncate(fd.get(), static_cast<off_t>(old.size())) == 0)
        ::fsync(fd.get());
    fd.discard();
    return failWith(error);
}

} // namespace

ReadResult readFileHead(const std::string& path, std::size_t maxBytes, std::string& out) {
    out.clear();
    // Non-blocking so that a FIFO cannot hang us; the descriptor is checked to be a regular
    // file before anything is read.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return ReadResult::Failed;
    const auto size = static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0);
    out.resize(std::min(size, maxBytes));
    std::size_t got = 0;
    while (got < out.size()) {
        const ssize_t n = ::read(fd.get(), out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.clear();
            return ReadResult::Failed;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    out.resize(got);
    return size > maxBytes ? ReadResult::Truncated : ReadResult::Ok;
}

int replaceFileContents(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return failWith(ENOENT);
    const std::string target = writeTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return failWith(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);

    const std::filesystem::path t(target);
    const std::string dir = t.has_parent_path() ? t.parent_path().string() : std::string(".");
    std::string temp;
    int fdTemp = -1;
    int openError = 0;
    for (int attempt = 0; attempt < 8 && fdTemp < 0; ++attempt) {
        temp = (std::filesystem::path(dir) /
                ("." + t.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                 std::to_string(g_tempCounter.fetch_add(1))))
                   .string();
        fdTemp = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        openError = fdTemp < 0 ? errno : 0;
        if (fdTemp < 0 && openError != EEXIST)
            break;
    }
    if (fdTemp < 0) {
        if ((openError == EACCES || openError == EPERM) && exists &&
            ::access(target.c_str(), W_OK) == 0)
            return rewriteInPlace(target, bytes);
        return failWith(openError);
    }
    Fd fd(fdTemp);
    const bool written = (!exists || ::fchmod(fd.get(), old.st_mode & 07777) == 0) &&
                         writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (!written)
        fd.discard();
    // close() reports a failed delayed write on some file systems (NFS).
    if (!written || !fd.close() || ::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return failWith(error);
    }
    // The rename itself is only durable once the folder is flushed.
    Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0)
        ::fsync(dirFd.get());
    return 0;
}

bool isReadableRegularFile(const std::string& path) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    return fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isExecutableRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

bool ensureDirectory(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

} // namespace ks
