#pragma once

#include "i18n/TextTable.h"

#include <string>

namespace ks {

inline constexpr int kAboutCaptionText = 282;

// The About box's text in a language: application name, version and copyright of the
// program's version record, separated by blank lines.
std::string aboutText(CTextTable& texts, int language);

} // namespace ks
