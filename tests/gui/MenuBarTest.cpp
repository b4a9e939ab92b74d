#include "DesktopFixture.h"
#include "shell/MainDlg.h"
#include "shell/MenuBuilder.h"
#include "shell/MenuCommands.h"

#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using ks::gui::CMainDlg;
using ks::gui::CMenuBuilder;

namespace {

QStringList titlesOf(const QMenuBar& bar) {
    QStringList out;
    for (const QAction* a : bar.actions())
        out << a->text();
    return out;
}

QAction* action(const QMenuBar& bar, std::string_view command) {
    return CMenuBuilder::findAction(bar, QString::fromUtf8(command.data(), command.size()));
}

} // namespace

class MenuBarTest : public QObject {
    Q_OBJECT

private slots:
    void eachLanguage_data();
    void eachLanguage();
    void newSubMenu();
};

void MenuBarTest::eachLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("modem");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("saveAll");

    struct Language {
        const char* name;
        QStringList titles; // File, Dialogue, Modem connected, Modem disconnected, Configuration,
                            // About
        QString saveAll;
    };
    const Language languages[] = {
        {"French",
         {"&Fichier", "&Dialogue", "&Modem connecté", "&Modem déconnecté", "&Configuration",
          "&A propos..."},
         "&Sauvegarder tout"},
        {"English",
         {"&File", "&Dialogue", "&Modem connected", "&Modem desconnected", "&Option", "&About..."},
         "&Save all"},
        {"Portuguese",
         {"&Arquivo", "&Diálogo", "&Modem conectado", "&Modem desconectado", "&Configuração",
          "&A Propósito"},
         "&Salvar tudo"},
        {"German",
         {"&Datei", "D&ialog", "&Modem Verbunden", "&Modem getrennt", "&Option", "& Über..."},
         "&alles Speichen"},
        {"Spanish",
         {"&Fichero", "&Dialogo", "& MODEM conectado", "&MODEM desconectado", "&Configuración",
          "Acerca de..."},
         "&Guardar todo"},
    };
    for (int i = 0; i < 5; ++i) {
        const Language& l = languages[i];
        const QStringList& t = l.titles;
        QTest::addRow("%s without modem", l.name)
            << i + 1 << false << false << QStringList{t[0], t[1], t[4], t[5]} << l.saveAll;
        QTest::addRow("%s, modem idle", l.name)
            << i + 1 << true << false << QStringList{t[0], t[1], t[3], t[4], t[5]} << l.saveAll;
        QTest::addRow("%s, modem connected", l.name)
            << i + 1 << true << true << QStringList{t[0], t[1], t[2], t[4], t[5]} << l.saveAll;
    }
}

void MenuBarTest::eachLanguage() {
    QFETCH(int, language);
    QFETCH(bool, modem);
    QFETCH(bool, connected);
    QFETCH(QStringList, titles);
    QFETCH(QString, saveAll);

    DesktopFixture f({{"Language/Language", std::to_string(language - 1) + ".000000"},
                      {"Modem/Use modem", modem ? "0.000000" : "1.000000"}});
    CMainDlg w;
    // The call comes up after the window was built: the bar follows on the next activation.
    f.desktop.flowApp().setModemConnected(connected);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&w, &activate);

    const QMenuBar& bar = *w.menuBar();
    QCOMPARE(titlesOf(bar), titles);
    QCOMPARE(action(bar, ks::menu::kDialSauveAll)->text(), saveAll);
    const std::string_view locked[] = {ks::menu::kConfConf, ks::menu::kConfSave,
                                       ks::menu::kConfLoad};
    for (std::string_view command : locked)
        QCOMPARE(action(bar, command)->isEnabled(), !connected);
    QVERIFY(action(bar, ks::menu::kDialMesure)->isEnabled());
    QVERIFY(action(bar, ks::menu::kApropo)->isEnabled());
    if (modem)
        QVERIFY(action(bar, connected ? ks::menu::kModemDeconnect : ks::menu::kModemConnect));
    QVERIFY(!action(bar, ks::menu::kModemConnect) || !connected);
}

void MenuBarTest::newSubMenu() {
    DesktopFixture f;
    CMainDlg w;
    QMenu* file = w.menuBar()->actions().at(0)->menu();
    QVERIFY(file);
    QStringList lines;
    for (const QAction* a : file->actions())
        lines << (a->isSeparator() ? QStringLiteral("---") : a->text());
    QCOMPARE(lines, (QStringList{"&Ouvrir", "---", "&Nouveau", "---", "&Quitter"}));
    QMenu* fresh = file->actions().at(2)->menu();
    QVERIFY(fresh);
    QStringList commands;
    for (const QAction* a : fresh->actions())
        if (!a->isSeparator())
            commands << CMenuBuilder::commandOf(a);
    QCOMPARE(commands, (QStringList{"WM_USER_MENU_NEW_ETALONNAGE", "WM_USER_MENU_NEW_REGKSN",
                                    "WM_USER_MENU_NEW_REGUS", "WM_USER_MENU_NEW_SONDESPE",
                                    "WM_USER_MENU_NEW_REGSPE", "WM_USER_MENU_NEW_OEM"}));

    // Rebuilding replaces the drop-downs rather than piling new ones up.
    w.rebuildMenuBar();
    w.rebuildMenuBar();
    QCOMPARE(w.menuBar()->actions().size(), 4);
}

QTEST_MAIN(MenuBarTest)
#include "MenuBarTest.moc"
