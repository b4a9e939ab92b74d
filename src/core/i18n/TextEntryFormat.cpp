#include "i18n/TextEntryFormat.h"

#include "i18n/TextTableFile.h"

namespace ks {

std::string formatTextEntry(const std::vector<std::string>& strings) {
    std::string out;
    for (const std::string& s : strings) {
        out += escapeTextString(s);
        out += '\n';
    }
    return out;
}

} // namespace ks
