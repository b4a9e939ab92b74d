#include "shell/AboutText.h"

#include "app/Version.h"

namespace ks {

namespace {
constexpr int kApplicationText = 7;
constexpr int kVersionText = 332;
} // namespace

std::string aboutText(CTextTable& texts, int language) {
    std::string out = texts.text(kApplicationText, language);
    out += " : " + version::versionValue("InternalName") + "\n\n";
    out += texts.text(kVersionText, language);
    out += " : " + version::versionValue("FileVersion") + "\n\n";
    out += version::versionValue("LegalCopyright");
    return out;
}

} // namespace ks
