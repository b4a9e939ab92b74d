#pragma once

#include <QString>

namespace ks::gui {

// The first string of a text of the text table in a language, for a widget.
QString languageText(int number, int language);

} // namespace ks::gui
