#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ks::cli {

// Parses a whole number written in decimal or as 0x hex; false when anything is off.
bool parseInteger(const std::string& text, long long& value);
// Same, and the value must lie within [low, high].
bool parseInRange(const std::string& text, long long low, long long high, long long& value);

// "0012 ABCD" for the register bytes of a reply (big-endian pairs).
std::string hexWords(const std::vector<std::uint8_t>& bytes);
// "01 03 00 10" for a frame.
std::string hexBytes(const std::vector<std::uint8_t>& bytes);

} // namespace ks::cli
