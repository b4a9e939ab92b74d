// Qt's own buttons speak the language a window of the program takes.
#include "DesktopFixture.h"
#include "shell/DialogKS.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QtTest>

using namespace ks::gui;

class QtBaseTranslationTest : public QObject {
    Q_OBJECT

private slots:
    void standardButtonsFollowTheDialogLanguage();
};

void QtBaseTranslationTest::standardButtonsFollowTheDialogLanguage() {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(dir + "/qtbase_de.qm"))
        QSKIP("the Qt base translations (qt6-translations-l10n) are not installed");
    DesktopFixture f;
    CDialogKS dialog(100);
    auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    const struct {
        int language;
        const char* cancel;
    } cases[] = {
        {4, "Abbrechen"}, {1, "Annuler"}, {2, "Cancel"}, {5, "Cancelar"}, {4, "Abbrechen"}};
    for (const auto& c : cases) {
        QVERIFY(dialog.setLanguage(c.language));
        QCOMPARE(cancel(), QString::fromUtf8(c.cancel));
    }
}

QTEST_MAIN(QtBaseTranslationTest)
#include "QtBaseTranslationTest.moc"
