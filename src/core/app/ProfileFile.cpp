#include "app/ProfileFile.h"

#include "app/FileAccess.h"
#include "app/IniDocument.h"
#include "app/ProfileNumbers.h"
#include "app/TextEncoding.h"

#include <climits>
#include <cmath>
#include <optional>

namespace ks {

namespace {

std::optional<std::string> storedValue(const std::string& path, std::string_view section,
                                       std::string_view key) {
    std::string bytes;
    const ReadResult r = readFileHead(path, CProfileFile::kMaxFileBytes, bytes);
    if (r != ReadResult::Ok && r != ReadResult::Truncated)
        return std::nullopt;
    return IniDocument::parse(bytes).value(section, key);
}

} // namespace

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

int CProfileFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) const {
    if (m_path.empty())
        return -1;
    std::string bytes;
    const ReadResult r = readFileHead(m_path, kMaxFileBytes, bytes);
    if (r == ReadResult::Failed || r == ReadResult::Truncated)
        return -1;
    IniDocument doc = IniDocument::parse(bytes);
    if (!doc.set(section, key, value))
        return -1;
    return replaceFileContents(m_path, doc.serialize());
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
