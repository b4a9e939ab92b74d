#include "app/IniDocument.h"

namespace ks {

namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

std::string lowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// A section header: "[name]" once blanks are trimmed. A '[' line without ']' still opens a
// section (so that its lines are not taken for the previous one's) but one nobody can name.
bool isHeader(std::string_view text) {
    const std::string_view t = trim(text);
    return !t.empty() && t.front() == '[';
}

std::optional<std::string_view> headerName(std::string_view text) {
    const std::string_view t = trim(text);
    const std::size_t close = t.find(']');
    if (t.empty() || t.front() != '[' || close == npos)
        return std::nullopt;
    return trim(t.substr(1, close - 1));
}

// Key part of a "key=value" line; nothing for lines without '='.
std::optional<std::string_view> keyOf(std::string_view text) {
    const std::size_t eq = text.find('=');
    if (eq == npos)
        return std::nullopt;
    return trim(text.substr(0, eq));
}

bool hasAny(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != npos;
}

bool isTrimmed(std::string_view s) {
    return !s.empty() && trim(s).size() == s.size();
}

} // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        doc.m_bom = kUtf8Bom;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    bool newlineSeen = false;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        Line line;
        if (lf == npos) {
            line.text = bytes;
            bytes = {};
        } else {
            std::string_view text = bytes.substr(0, lf);
            line.end = "\n";
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                line.end = "\r\n";
            }
            line.text = text;
            bytes.remove_prefix(lf + 1);
            if (!newlineSeen) {
                doc.m_newline = line.end;
                newlineSeen = true;
            }
        }
        doc.m_lines.push_back(std::move(line));
    }
    return doc;
}

std::size_t IniDocument::findSection(std::string_view section) const {
    if (!m_indexed) {
        m_sections.clear();
        for (std::size_t i = 0; i < m_lines.size(); ++i)
            if (const auto name = headerName(m_lines[i].text))
                m_sections.emplace(lowerCase(*name), i); // the first occurrence stays
        m_indexed = true;
    }
    const auto it = m_sections.find(lowerCase(section));
    return it == m_sections.end() ? npos : it->second;
}

std::size_t IniDocument::findKey(std::size_t header, std::string_view key) const {
    for (std::size_t i = header + 1; i < m_lines.size() && !isHeader(m_lines[i].text); ++i) {
        const auto k = keyOf(m_lines[i].text);
        if (k && equalsNoCase(*k, key))
            return i;
    }
    return npos;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const std::size_t header = findSection(trim(section));
    if (header == npos)
        return std::nullopt;
    const std::size_t at = findKey(header, trim(key));
    if (at == npos)
        return std::nullopt;
    const std::string_view text = m_lines[at].text;
    std::string_view v = trim(text.substr(text.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

bool IniDocument::isStorableSection(std::string_view section) {
    return isTrimmed(section) && !hasAny(section, std::string_view("\r\n\0]", 4));
}

bool IniDocument::isStorableKey(std::string_view key) {
    return isTrimmed(key) && key.front() != '[' && !hasAny(key, std::string_view("\r\n\0=", 4));
}

bool IniDocument::isStorableValue(std::string_view value) {
    return !hasAny(value, std::string_view("\r\n\0", 3));
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    if (!isStorableSection(section) || !isStorableKey(key) || !isStorableValue(value))
        return false;
    std::string text;
    text.reserve(key.size() + 1 + value.size());
    text.append(key).append("=").append(value);

    // A last line without a line end gets one before anything goes after it.
    auto terminate = [this](std::size_t i) {
        if (m_lines[i].end.empty())
            m_lines[i].end = m_newline;
    };

    const std::size_t header = findSection(section);
    m_indexed = false; // lines move or a section is added
    if (header == npos) {
        if (!m_lines.empty())
            terminate(m_lines.size() - 1);
        m_lines.push_back({"[" + std::string(section) + "]", m_newline});
        m_lines.push_back({std::move(text), m_newline});
        return true;
    }
    const std::size_t at = findKey(header, key);
    if (at != npos) {
        m_lines[at].text = std::move(text);
        return true;
    }
    std::size_t last = header;
    for (std::size_t i = header + 1; i < m_lines.size() && !isHeader(m_lines[i].text); ++i)
        if (!trim(m_lines[i].text).empty())
            last = i;
    terminate(last);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(last + 1),
                   Line{std::move(text), m_newline});
    return true;
}

std::string IniDocument::serialize() const {
    std::string out = m_bom;
    for (const auto& line : m_lines)
        out.append(line.text).append(line.end);
    return out;
}

std::vector<std::pair<std::string, std::string>> IniDocument::keys() const {
    std::vector<std::pair<std::string, std::string>> out;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = headerName(m_lines[i].text);
        if (!name || findSection(*name) != i)
            continue;
        for (std::size_t j = i + 1; j < m_lines.size() && !isHeader(m_lines[j].text); ++j) {
            const auto k = keyOf(m_lines[j].text);
            if (k && findKey(i, *k) == j)
                out.emplace_back(std::string(*name), std::string(*k));
        }
    }
    return out;
}

} // namespace ks
