#pragma once

#include <string>

namespace ks {

class CTextTable;

// Whether a meter's firmware version text begins with this program's version prefix.
bool firmwareFits(const std::string& version, const std::string& prefix);

// The message for a firmware that does not fit: text 120, a blank, the first two characters
// of the meter's version text, a line break and the meter's description text.
std::string firmwareMismatchText(CTextTable& texts, int language, const std::string& version,
                                 const std::string& description);

} // namespace ks
