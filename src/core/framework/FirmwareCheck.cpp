#include "framework/FirmwareCheck.h"

#include "app/TextEncoding.h"
#include "framework/DeviceTexts.h"
#include "i18n/TextTable.h"

namespace ks {

bool firmwareFits(const std::string& version, const std::string& prefix) {
    return version.compare(0, prefix.size(), prefix) == 0;
}

std::string firmwareMismatchText(CTextTable& texts, int language, const std::string& version,
                                 const std::string& description) {
    // Characters, not bytes: a version text from the meter may hold accented letters.
    return texts.text(devicetext::kFirmwareMismatch, language) + " " + firstCharacters(version, 2) +
           "\n" + description;
}

} // namespace ks
