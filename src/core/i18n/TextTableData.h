#pragma once

#include "i18n/TextLimits.h"

#include <cstdint>

// The compiled-in text table. Its definition is generated at build time from texts.tsv;
// use CTextTable rather than these arrays.
namespace ks::textdata {

// The strings of one text in one language: kStrings[first] .. kStrings[first + count - 1].
struct TextSpan {
    std::uint32_t first;
    std::uint32_t count;
};

extern const char* const kStrings[];
extern const TextSpan kEntries[kTextCount][kTextLanguageCount];

} // namespace ks::textdata
