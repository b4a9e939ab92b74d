#include "framework/ChoiceList.h"

#include <algorithm>

namespace ks {

namespace {

// Base letters of U+00C0 .. U+00FF; "" keeps the character as it is.
const char* const kLatin1Base[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",
};

// Length of the UTF-8 sequence starting with this byte, 1 for a stray byte.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

int toCount(double value, int limit) {
    if (!(value > 0))
        return 0;
    if (value >= limit)
        return limit;
    return static_cast<int>(value);
}

} // namespace

std::string choiceSortKey(std::string_view text) {
    std::string key;
    key.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (lead < 0x80) {
            key += (lead >= 'A' && lead <= 'Z') ? static_cast<char>(lead - 'A' + 'a')
                                                : static_cast<char>(lead);
            ++pos;
            continue;
        }
        const std::size_t length = std::min(sequenceLength(lead), text.size() - pos);
        if (length == 2) {
            const unsigned code =
                ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[pos + 1]) & 0x3Fu);
            if (code >= 0xC0 && code <= 0xFF && kLatin1Base[code - 0xC0][0] != '\0') {
                key += kLatin1Base[code - 0xC0];
                pos += 2;
                continue;
            }
            if (code == 0x152 || code == 0x153) {
                key += "oe";
                pos += 2;
                continue;
            }
        }
        key.append(text.substr(pos, length));
        pos += length;
    }
    return key;
}

CChoiceList::CChoiceList(const std::vector<std::string>& texts, double dropLeading,
                         double keepCount, bool sorted) {
    const int count = static_cast<int>(texts.size());
    const int first = toCount(dropLeading, count);
    const int kept = keepCount > 0 ? toCount(keepCount, count - first) : count - first;
    m_entries.reserve(texts.size());
    for (int i = 0; i < count; ++i)
        m_entries.push_back(
            {i, i >= first && i < first + kept, texts[static_cast<std::size_t>(i)]});
    if (sorted) {
        std::vector<std::string> keys;
        keys.reserve(m_entries.size());
        for (const ChoiceEntry& e : m_entries)
            keys.push_back(choiceSortKey(e.text));
        std::stable_sort(m_entries.begin(), m_entries.end(),
                         [&keys](const ChoiceEntry& a, const ChoiceEntry& b) {
                             return keys[static_cast<std::size_t>(a.index)] <
                                    keys[static_cast<std::size_t>(b.index)];
                         });
    }
}

std::vector<ChoiceEntry> CChoiceList::shownEntries() const {
    std::vector<ChoiceEntry> shown;
    for (const ChoiceEntry& e : m_entries)
        if (e.shown)
            shown.push_back(e);
    return shown;
}

int CChoiceList::shownCount() const {
    return static_cast<int>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const auto& e) { return e.shown; }));
}

int CChoiceList::positionOf(int listIndex) const {
    int position = 0;
    for (const ChoiceEntry& e : m_entries) {
        if (!e.shown)
            continue;
        if (e.index == listIndex)
            return position;
        ++position;
    }
    return -1;
}

int CChoiceList::indexAt(int position) const {
    if (position < 0)
        return -1;
    for (const ChoiceEntry& e : m_entries) {
        if (!e.shown)
            continue;
        if (position-- == 0)
            return e.index;
    }
    return -1;
}

bool CChoiceList::setShown(int listIndex, bool shown) {
    for (ChoiceEntry& e : m_entries) {
        if (e.index == listIndex) {
            e.shown = shown;
            return true;
        }
    }
    return false;
}

} // namespace ks
