#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ks {

// Texts in meter registers hold one byte per character (Latin-1); the program works in UTF-8.

// The characters of bytes[0 .. maximum) up to the first zero byte, as UTF-8.
std::string meterTextToUtf8(const std::uint8_t* bytes, std::size_t maximum);

// Writes the text as exactly `width` characters: cut when longer, padded with blanks when
// shorter. A character Latin-1 cannot hold is written as '?'.
void utf8ToMeterText(const std::string& text, std::uint8_t* out, std::size_t width);

} // namespace ks
