// Feeds arbitrary bytes to the reader of the text table's data file, for a short table so
// that complete files are within reach: nothing may crash, and an accepted file holds one row
// per number.
#include "i18n/TextTableFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    std::vector<ks::TextRow> rows;
    ks::TextFileError error;
    if (ks::readTextTableFile(content, rows, error, 3) && rows.size() != 3)
        __builtin_trap();
    std::vector<std::string> strings;
    std::string why;
    ks::decodeTextCell(content, strings, why);
    return 0;
}
