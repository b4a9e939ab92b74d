#include "app/QtBaseTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace ks::gui {

namespace {

// The Qt base translation files of the program's languages, by language number.
const char* qtFileName(int language) {
    switch (language) {
    case 1:
        return "qtbase_fr";
    case 3:
        return "qtbase_pt_BR";
    case 4:
        return "qtbase_de";
    case 5:
        return "qtbase_es";
    default:
        return nullptr;
    }
}

} // namespace

bool CQtBaseTranslation::use(int language) {
    if (language == m_language)
        return m_installed || qtFileName(language) == nullptr;
    m_language = language;
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
    const char* name = qtFileName(language);
    if (name == nullptr)
        return language == 2;
    if (!m_translator.load(QString::fromLatin1(name),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}

} // namespace ks::gui
