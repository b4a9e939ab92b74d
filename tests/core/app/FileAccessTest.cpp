#include "TempFolder.h"

#include "app/FileAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

using namespace ks;
namespace fs = std::filesystem;

namespace {

// A small tmpfs mounted on a fresh folder, unmounted when the test ends. Needs root (or the
// right to mount); mounted() says whether it worked.
class SmallDisk {
public:
    explicit SmallDisk(const char* options) {
        m_ok = ::mount("tmpfs", m_folder.dir().c_str(), "tmpfs", 0, options) == 0;
        m_error = errno;
    }
    ~SmallDisk() {
        if (m_ok)
            ::umount2(m_folder.dir().c_str(), MNT_DETACH);
    }
    bool mounted() const { return m_ok; }
    std::string why() const {
        return std::string("a small tmpfs cannot be mounted here (") + std::strerror(m_error) +
               "); run the tests as root to check a full disk";
    }
    std::string path(const std::string& name) const { return m_folder.path(name); }
    std::string dir() const { return m_folder.dir(); }

private:
    TempFolder m_folder;
    bool m_ok = false;
    int m_error = 0;
};

// Names in the folder other than the expected ones: a temporary file left behind shows here.
std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

const std::string kOld(3000, 'o');
const std::string kHuge(1u << 20, 'n');

} // namespace

TEST(FileAccess, ReplacesContentsAndLeavesNothingBeside) {
    TempFolder tmp;
    ASSERT_EQ(replaceFileContents(tmp.path("a.cfg"), "first"), 0);
    ASSERT_EQ(replaceFileContents(tmp.path("a.cfg"), "second"), 0);
    EXPECT_EQ(readBytes(tmp.path("a.cfg")), "second");
    EXPECT_EQ(namesIn(tmp.dir()), std::vector<std::string>{"a.cfg"});
}

TEST(FileAccess, FailuresReportTheirOwnError) {
    TempFolder tmp;
    fs::create_directory(tmp.path("folder"));
    struct Case {
        std::string path;
        int error;
    } cases[] = {
        {"", ENOENT},
        {tmp.path("folder"), EISDIR},
        {tmp.path("missing/a.cfg"), ENOENT},
        {"/dev/null", EINVAL},
    };
    for (const auto& c : cases) {
        errno = 0;
        EXPECT_EQ(replaceFileContents(c.path, "x"), -1) << c.path;
        EXPECT_EQ(errno, c.error) << c.path << ": " << std::strerror(errno);
    }
}

TEST(FileAccess, FullDiskKeepsTheOldContents) {
    SmallDisk disk("size=64k");
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    const std::string file = disk.path("a.cfg");
    ASSERT_EQ(replaceFileContents(file, kOld), 0);

    errno = 0;
    EXPECT_EQ(replaceFileContents(file, kHuge), -1);
    EXPECT_EQ(errno, ENOSPC) << std::strerror(errno);
    EXPECT_EQ(readBytes(file), kOld);
    EXPECT_EQ(namesIn(disk.dir()), std::vector<std::string>{"a.cfg"});

    // A new file on the full disk is not left behind half-written.
    errno = 0;
    EXPECT_EQ(replaceFileContents(disk.path("b.cfg"), kHuge), -1);
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_FALSE(fs::exists(disk.path("b.cfg")));
}

// A writable file in a folder we may not write in is rewritten in place; a full disk there
// must still leave the old contents. Runs as an unprivileged user in a child process, since
// root may write in any folder.
TEST(FileAccess, FullDiskInPlaceRewritePutsTheOldContentsBack) {
    SmallDisk disk("size=64k,mode=0755");
    if (!disk.mounted())
        GTEST_SKIP() << disk.why();
    const std::string file = disk.path("a.cfg");
    ASSERT_EQ(replaceFileContents(file, kOld), 0);
    const uid_t nobody = 65534;
    ASSERT_EQ(::chown(file.c_str(), nobody, nobody), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(10);
        // 1: the in-place rewrite works at all; 2: wrong result on the full disk.
        if (replaceFileContents(file, "small") != 0 || replaceFileContents(file, kOld) != 0)
            ::_exit(1);
        errno = 0;
        ::_exit(replaceFileContents(file, kHuge) == -1 && errno == ENOSPC ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(file), kOld);
    EXPECT_EQ(namesIn(disk.dir()), std::vector<std::string>{"a.cfg"});
}

TEST(FileAccess, UnwritableFolderFailsWithItsError) {
    // Root writes in any folder: a read-only mount stands in for an unwritable folder then.
    TempFolder tmp;
    std::unique_ptr<SmallDisk> readOnly;
    std::string dir = tmp.path("locked");
    if (::geteuid() == 0) {
        readOnly = std::make_unique<SmallDisk>("size=64k,ro");
        if (!readOnly->mounted())
            GTEST_SKIP() << readOnly->why();
        dir = readOnly->dir();
    } else {
        fs::create_directory(dir);
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    }
    errno = 0;
    EXPECT_EQ(replaceFileContents(dir + "/a.cfg", "x"), -1);
    EXPECT_TRUE(errno == EACCES || errno == EROFS) << std::strerror(errno);
    EXPECT_TRUE(namesIn(dir).empty());
    if (!readOnly)
        fs::permissions(dir, fs::perms::owner_all);
}
