#pragma once

#include "i18n/TextLimits.h"

#include <string>
#include <vector>

namespace ks {

// The numbered texts of the program in its five languages (1 French, 2 English, 3 Portuguese,
// 4 German, 5 Spanish). Each text is a list of strings: one string for a label, caption,
// unit or message, several for the entries of a choice list. The table is compiled in.
//
// Each dialog owns one; the object only keeps the result of its last lookup, so it is cheap
// and not shared between threads.
class CTextTable {
public:
    // The strings of a text in a language. The list is rebuilt on every call and the reference
    // stays valid (with new contents) until the next one. Rules, in this order:
    //   language above 5               -> one empty string
    //   number outside 1 .. 343        -> one empty string
    //   language below 1               -> empty list
    //   otherwise                      -> the strings of the entry, in order
    const std::vector<std::string>& lookup(int number, int language);

    // The first string of lookup(number, language); empty when that list is empty.
    std::string text(int number, int language);

    // The list of the last lookup.
    const std::vector<std::string>& lastLookup() const { return m_list; }

    int languageCount() const { return kTextLanguageCount; }

private:
    std::vector<std::string> m_list;
};

} // namespace ks
