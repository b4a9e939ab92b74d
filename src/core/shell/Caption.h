#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How a dialog's title is put together: its caption, a separator and the name of the
// configuration it works on, then an optional tail.
namespace ks::caption {

inline constexpr std::string_view kSeparator = "   -   ";
// A configuration name longer than this many characters is shortened ...
inline constexpr std::size_t kLongestName = 40;
// ... to its first kHeadLength characters, "..." and its last kTailLength characters.
inline constexpr std::size_t kHeadLength = 3;
inline constexpr std::size_t kTailLength = 34;

// The name as a title shows it. Characters are counted, not bytes, so a UTF-8 path is never
// cut inside a character (a stray byte counts as one character).
std::string shortenedName(std::string_view name);

// base, then the separator and the configuration name when the name is not empty, then the
// tail when it is not empty.
std::string compose(std::string_view base, std::string_view configurationName,
                    std::string_view tail);

// The main window's caption before the configuration name: the internal name as stored, a
// blank, and the file version from its third character on, trimmed and in upper case
// ("Calyptron KS" and "V2 1.0.0b" give "Calyptron KS 1.0.0B").
std::string programCaption(std::string_view internalName, std::string_view fileVersion);

// A configuration path as the main window names it: without the extension of its file name.
// A dot in a folder name is not an extension.
std::string withoutExtension(std::string_view path);

} // namespace ks::caption
