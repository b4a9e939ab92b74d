#include "shell/DialogLanguage.h"

#include "app/ProfileKeys.h"
#include "i18n/TextLimits.h"

namespace ks {

int dialogLanguage(const CProfileFile& configuration) {
    const int stored = configuration.readInteger(profile::kLanguage);
    if (stored < 0 || stored >= kTextLanguageCount)
        return kLanguageFrench;
    return stored + 1;
}

} // namespace ks
