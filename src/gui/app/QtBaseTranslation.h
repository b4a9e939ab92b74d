#pragma once

#include <QTranslator>

namespace ks::gui {

// Qt's own texts (standard buttons, file and print dialogs) in the program's language, from
// the Qt base translations installed with Qt. English needs none.
class CQtBaseTranslation {
public:
    // 1 French .. 5 Spanish. False when no translation file is installed for it (Qt then
    // speaks English); switching to the language already in use does nothing.
    bool use(int language);
    int language() const { return m_language; }

private:
    QTranslator m_translator;
    bool m_installed = false;
    int m_language = 0;
};

} // namespace ks::gui
