#pragma once

// A folder nobody running the tests may write in. Root writes in any folder, so for root it
// is a read-only tmpfs mounted on a fresh folder; otherwise a folder without write permission.
#include "support/RunProgram.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ks::test {

class ReadOnlyFolder {
public:
    ReadOnlyFolder() {
        m_path = m_base.path() + "/locked";
        if (::mkdir(m_path.c_str(), 0755) != 0) {
            m_error = errno;
            return;
        }
        if (::geteuid() == 0) {
            m_mounted = ::mount("tmpfs", m_path.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0;
            m_error = errno;
            m_ready = m_mounted;
        } else {
            m_ready = ::chmod(m_path.c_str(), 0555) == 0;
            m_error = errno;
        }
    }
    ~ReadOnlyFolder() {
        if (m_mounted)
            ::umount2(m_path.c_str(), MNT_DETACH);
        else
            ::chmod(m_path.c_str(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool ready() const { return m_ready; }
    std::string why() const {
        return std::string("no read-only folder can be made here (") + std::strerror(m_error) +
               "); as root the tests mount a read-only tmpfs";
    }
    const std::string& path() const { return m_path; }

private:
    TempFolder m_base;
    std::string m_path;
    bool m_mounted = false;
    bool m_ready = false;
    int m_error = 0;
};

} // namespace ks::test
