#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Profile files written on Windows hold Latin-1 text; ours hold UTF-8. These helpers let a
// reader take either.
namespace ks {

bool isValidUtf8(std::string_view bytes);

// Each byte is one Latin-1 character.
std::string latin1ToUtf8(std::string_view bytes);

// The bytes unchanged when they are valid UTF-8, otherwise read as Latin-1.
std::string utf8FromProfileBytes(std::string_view bytes);

// The first `count` characters of a valid UTF-8 text.
std::string firstCharacters(std::string_view utf8, std::size_t count);

} // namespace ks
