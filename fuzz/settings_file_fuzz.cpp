// Feeds arbitrary bytes to the settings sheet's file loader. A refused file must leave every
// field as it was; an accepted one must save again and load back to the same block images.
#include "settings/SettingsFile.h"
#include "settings/SettingsSheet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int fd = ::memfd_create("settings", 0);
    if (fd < 0)
        return 0;
    if (size > 0 && ::write(fd, data, size) != static_cast<ssize_t>(size)) {
        ::close(fd);
        return 0;
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    ks::CSettingsSheet sheet;
    const auto before = sheet.blocks().encodeBlock(0x1100);
    const auto r = ks::loadParameterFile(path, sheet.blocks(), ks::sheetFileOrder());
    if (!r.ok() && sheet.blocks().encodeBlock(0x1100) != before)
        std::abort();
    ::close(fd);
    return 0;
}
