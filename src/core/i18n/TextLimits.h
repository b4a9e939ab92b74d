#pragma once

namespace ks {

// Texts are numbered from 1 to kTextCount.
inline constexpr int kTextCount = 343;

// Languages are numbered from 1, always in this order.
inline constexpr int kTextLanguageCount = 5;
inline constexpr int kLanguageFrench = 1;
inline constexpr int kLanguageEnglish = 2;
inline constexpr int kLanguagePortuguese = 3;
inline constexpr int kLanguageGerman = 4;
inline constexpr int kLanguageSpanish = 5;

} // namespace ks
