#include "controls/LanguageText.h"

#include "i18n/TextTable.h"

namespace ks::gui {

QString languageText(int number, int language) {
    ks::CTextTable table;
    return QString::fromStdString(table.text(number, language));
}

} // namespace ks::gui
