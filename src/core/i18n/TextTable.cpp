#include "i18n/TextTable.h"

#include "i18n/TextTableData.h"

namespace ks {

const std::vector<std::string>& CTextTable::lookup(int number, int language) {
    m_list.clear();
    if (language > kTextLanguageCount) {
        m_list.emplace_back();
        return m_list;
    }
    if (number < 1 || number > kTextCount) {
        m_list.emplace_back();
        return m_list;
    }
    if (language < 1) {
        return m_list;
    }
    const textdata::TextSpan span = textdata::kEntries[number - 1][language - 1];
    m_list.reserve(span.count);
    for (std::uint32_t i = 0; i < span.count; ++i) {
        m_list.emplace_back(textdata::kStrings[span.first + i]);
    }
    return m_list;
}

std::string CTextTable::text(int number, int language) {
    const std::vector<std::string>& list = lookup(number, language);
    return list.empty() ? std::string() : list.front();
}

} // namespace ks
