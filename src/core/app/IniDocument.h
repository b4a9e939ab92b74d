#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ks {

// The text of one INI-format profile file, held line by line so that a change rewrites one
// line and leaves every other byte of the file as it was.
//
// Reading follows the profile services of Windows, whose files we must read: section and key
// names compare without regard to ASCII case and ignore surrounding blanks, the first
// occurrence wins, a value loses its surrounding blanks and one pair of enclosing quotes,
// and lines of any other shape (comments, keys without '=', stray text) are kept but never
// match. CRLF and LF line ends are both read; new lines take the file's own line end, CRLF
// for a new file, as Windows writes them.
class IniDocument {
public:
    static IniDocument parse(std::string_view bytes);

    // The stored value bytes of [section] key, or nothing when the key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Stores "key=value" in the first [section], replacing the key's first line or adding one
    // after the section's last non-blank line; a missing section is added at the end. Returns
    // false, changing nothing, when the names or the value could not be read back as written
    // (line breaks, NUL, '=' in a key, ']' in a section, blanks at either end of a name).
    bool set(std::string_view section, std::string_view key, std::string_view value);

    std::string serialize() const;

    static bool isStorableSection(std::string_view section);
    static bool isStorableKey(std::string_view key);
    static bool isStorableValue(std::string_view value);

    // Every (section, key) pair that a read can reach, first occurrences only, in file order.
    std::vector<std::pair<std::string, std::string>> keys() const;

private:
    struct Line {
        std::string text; // without its line end
        std::string end;  // "\r\n", "\n", or "" for a last line without one
    };

    // Index of the header of the first section called `section`, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the first "key=" line of the section whose header is at `header`, or npos.
    std::size_t findKey(std::size_t header, std::string_view key) const;

    std::vector<Line> m_lines;
    // Lower-case section name -> index of its first header, built at the first lookup and
    // dropped by set(), so that a read of a large file is a lookup, not a scan.
    mutable std::unordered_map<std::string, std::size_t> m_sections;
    mutable bool m_indexed = false;
    std::string m_bom;
    std::string m_newline = "\r\n";
};

} // namespace ks
