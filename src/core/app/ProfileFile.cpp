#include "app/ProfileFile.h"

#include "app/FileAccess.h"
#include "app/IniDocument.h"
#include "app/ProfileNumbers.h"
#include "app/TextEncoding.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace ks {

namespace {

// The parsed contents of one profile file, kept for the whole run: a key read is a lookup,
// and the file is parsed again only when it changed on disk (our own writes store the new
// contents directly).
struct Parsed {
    struct stat identity {};
    ReadResult state = ReadResult::Missing;
    IniDocument doc;
};

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

std::mutex g_cacheMutex;
std::unordered_map<std::string, std::shared_ptr<const Parsed>> g_cache;

// The file as it is now: Ok with its document, Missing, Failed, or Truncated for a file
// above the size limit (refused: not read, never rewritten).
std::shared_ptr<const Parsed> parsedFile(const std::string& path) {
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    {
        std::lock_guard lock(g_cacheMutex);
        const auto it = g_cache.find(path);
        if (exists && it != g_cache.end() && it->second->state != ReadResult::Missing &&
            sameFile(it->second->identity, st))
            return it->second;
    }
    auto parsed = std::make_shared<Parsed>();
    std::string bytes;
    parsed->state = readFileHead(path, CProfileFile::kMaxFileBytes, bytes);
    if (parsed->state == ReadResult::Ok) {
        parsed->doc = IniDocument::parse(bytes);
        // Identity of what was read: a change while reading shows as a new identity next time.
        if (::stat(path.c_str(), &parsed->identity) != 0)
            parsed->state = ReadResult::Missing;
    }
    if (parsed->state == ReadResult::Truncated)
        parsed->identity = st;
    std::lock_guard lock(g_cacheMutex);
    if (parsed->state == ReadResult::Ok || parsed->state == ReadResult::Truncated)
        g_cache[path] = parsed;
    else
        g_cache.erase(path);
    return parsed;
}

void storeWritten(const std::string& path, IniDocument doc) {
    auto parsed = std::make_shared<Parsed>();
    parsed->doc = std::move(doc);
    parsed->state = ReadResult::Ok;
    std::lock_guard lock(g_cacheMutex);
    if (::stat(path.c_str(), &parsed->identity) == 0)
        g_cache[path] = std::move(parsed);
    else
        g_cache.erase(path);
}

std::optional<std::string> storedValue(const std::string& path, std::string_view section,
                                       std::string_view key) {
    const auto parsed = parsedFile(path);
    if (parsed->state != ReadResult::Ok)
        return std::nullopt;
    return parsed->doc.value(section, key);
}

} // namespace

bool CProfileFile::isTooLarge() const {
    return !m_path.empty() && parsedFile(m_path)->state == ReadResult::Truncated;
}

std::string CProfileFile::readString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    if (m_path.empty())
        return {};
    const auto stored = storedValue(m_path, section, key);
    if (!stored)
        return std::string(defaultValue);
    std::string_view raw = *stored;
    raw = raw.substr(0, raw.find('\0'));
    return firstCharacters(utf8FromProfileBytes(raw), kMaxValueLength);
}

std::string CProfileFile::readPath(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
    if (m_path.empty())
        return {};
    const auto stored = storedValue(m_path, section, key);
    if (!stored)
        return std::string(defaultValue);
    const std::string_view raw = *stored;
    return std::string(raw.substr(0, std::min(raw.find('\0'), kMaxValueLength)));
}

int CProfileFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) const {
    if (m_path.empty())
        return -1;
    const auto parsed = parsedFile(m_path);
    if (parsed->state == ReadResult::Failed || parsed->state == ReadResult::Truncated)
        return -1;
    IniDocument doc = parsed->doc;
    if (!doc.set(section, key, value))
        return -1;
    if (replaceFileContents(m_path, doc.serialize()) != 0)
        return -1;
    storeWritten(m_path, std::move(doc));
    return 0;
}

double CProfileFile::readNumber(std::string_view section, std::string_view key,
                                double defaultValue) const {
    if (m_path.empty())
        return defaultValue;
    const std::string text = readString(section, key, formatProfileNumber(defaultValue));
    return parseProfileNumber(text).value_or(defaultValue);
}

int CProfileFile::writeNumber(std::string_view section, std::string_view key, double value) const {
    return writeString(section, key, formatProfileNumber(value));
}

int CProfileFile::readInteger(std::string_view section, std::string_view key,
                              int defaultValue) const {
    const double v = readNumber(section, key, defaultValue);
    if (std::isnan(v))
        return defaultValue;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

} // namespace ks
