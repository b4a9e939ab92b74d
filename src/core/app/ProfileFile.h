#pragma once

#include "app/ProfileKeys.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ks {

// One INI-format profile file (the program's last.cfg or a configuration file), read and
// written the way the profile services of Windows do it, so that files move between our
// program and the Windows one unchanged.
//
// A file is parsed once and kept for the whole run (shared by every object on its path, so
// each dialog's own object agrees with the others); it is parsed again only when it changed
// on disk. Every byte of the file is untrusted: a damaged or truncated file reads as its
// readable part and defaults, never worse; a file above kMaxFileBytes is refused.
class CProfileFile {
public:
    // A read returns at most this many characters of a value.
    static constexpr std::size_t kMaxValueLength = 999;
    // Profile files are small; a longer file is not read (every key reads as its default) and
    // never written (isTooLarge() says so, for a message).
    static constexpr std::size_t kMaxFileBytes = 8u << 20;

    CProfileFile() = default;
    explicit CProfileFile(std::string path) : m_path(std::move(path)) {}

    // An empty path means that there is no file.
    const std::string& path() const { return m_path; }
    // The file exists but is larger than kMaxFileBytes.
    bool isTooLarge() const;
    void setPath(std::string path) { m_path = std::move(path); }

    // The stored text as UTF-8 (a Latin-1 value is converted), at most kMaxValueLength
    // characters and up to a NUL byte; the default when the key is absent; "" when there is
    // no file.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

    // A stored path: its bytes as they are (a Latin-1 path written elsewhere still names its
    // file), up to a NUL byte and at most kMaxValueLength bytes; the default when absent, ""
    // when there is no file. Only for showing it is a path converted (readString).
    std::string readPath(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
    std::string readPath(const profile::Setting& s) const {
        return readPath(s.section, s.key, s.textDefault);
    }

    // 0, or -1 when there is no file, the file cannot be written, or the text cannot be
    // stored on one line (line breaks or NUL in it, names that would read back differently).
    int writeString(std::string_view section, std::string_view key, std::string_view value) const;

    // The stored text read as a decimal number. An absent key gives the default (passed
    // through "%f", as it is when written); a value that does not start with a number gives
    // the default too. No file: the default.
    double readNumber(std::string_view section, std::string_view key, double defaultValue) const;

    // Stores the value as "%f" text (5 is stored as 5.000000). 0 or -1 as writeString.
    int writeNumber(std::string_view section, std::string_view key, double value) const;

    // readNumber truncated toward zero, for indices and counts; held inside the int range.
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;

    // The same, for the settings of ProfileKeys.h with their own defaults.
    std::string readString(const profile::Setting& s) const {
        return readString(s.section, s.key, s.textDefault);
    }
    double readNumber(const profile::Setting& s) const {
        return readNumber(s.section, s.key, s.numberDefault);
    }
    int readInteger(const profile::Setting& s) const {
        return readInteger(s.section, s.key, static_cast<int>(s.numberDefault));
    }
    int writeString(const profile::Setting& s, std::string_view value) const {
        return writeString(s.section, s.key, value);
    }
    int writeNumber(const profile::Setting& s, double value) const {
        return writeNumber(s.section, s.key, value);
    }

private:
    std::string m_path;
};

} // namespace ks
