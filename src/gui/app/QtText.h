#pragma once

#include <QString>

#include <string>
#include <string_view>

// The core keeps its texts in UTF-8 std::string; Qt wants QString.
namespace ks::gui {

inline QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string utf8(const QString& s) {
    return s.toStdString();
}

} // namespace ks::gui
