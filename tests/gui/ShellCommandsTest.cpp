#include "DesktopFixture.h"
#include "app/ProfileKeys.h"
#include "shell/AboutDlg.h"
#include "shell/DocumentFiles.h"
#include "shell/LogoView.h"
#include "shell/MainDlg.h"
#include "shell/MenuBuilder.h"
#include "shell/MenuCommands.h"

#include <QFile>
#include <QMenuBar>
#include <QtTest>

#include <fstream>

using ks::gui::CAboutDlg;
using ks::gui::CMainDlg;
using ks::gui::DialogKind;
namespace menu = ks::menu;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An 8-bit grey bitmap of the given size, rows bottom-up, each padded to four bytes.
void writeBmp(const std::string& path, int width, int height) {
    const int row = (width + 3) / 4 * 4;
    const int offset = 14 + 40 + 256 * 4;
    std::string b(static_cast<std::size_t>(offset + row * height), '\0');
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[static_cast<std::size_t>(at + i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, offset);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 8;
    put32(46, 256);
    for (int i = 0; i < 256; ++i)
        put32(54 + 4 * i, static_cast<std::uint32_t>(i * 0x010101));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b[static_cast<std::size_t>(offset + y * row + x)] = static_cast<char>(x & 0xFF);
    std::ofstream(path, std::ios::binary) << b;
}

} // namespace

class ShellCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void menuClickOpensTheDialogOfItsCommand();
    void commandsWithoutTheirDialogDoNothing();
    void saveConfigurationAsOntoItself();
    void saveConfigurationAsElsewhere();
    void loadConfiguration();
    void openPicksTheDialogByExtension();
    void openPathFromTheCommandLine();
    void saveAllAndPrintAllStopAtTheFirstRefusal();
    void newSettingsAsksForTheTypeFirst();
    void modemConnectAndDisconnect();
    void optionsChangeTheLanguage();
    void quitEndsTheMainWindow();
    void logo_data();
    void logo();
    void aboutBox();
};

void ShellCommandsTest::menuClickOpensTheDialogOfItsCommand() {
    DesktopFixture f;
    std::vector<DialogCall> calls;
    addFakeDialog(f.desktop.dialogs(), DialogKind::Measurement, calls);
    addFakeDialog(f.desktop.dialogs(), DialogKind::Factory, calls);
    CMainDlg w;
    ks::gui::CMenuBuilder::findAction(*w.menuBar(), QStringLiteral("WM_USER_MENU_DIAL_MESURE"))
        ->trigger();
    QTRY_COMPARE(calls.size(), std::size_t{1});
    QCOMPARE(calls[0].kind, static_cast<int>(DialogKind::Measurement));
    QCOMPARE(calls[0].mode, 1);
    QVERIFY(calls[0].hadLink);
    QCOMPARE(calls[0].parent, &w);

    QVERIFY(w.runCommand(menu::kNewRegUs));
    QCOMPARE(calls.size(), std::size_t{2});
    QCOMPARE(calls[1].kind, static_cast<int>(DialogKind::Factory));
    QCOMPARE(calls[1].mode, 2);
    QVERIFY(!w.runCommand("WM_USER_MENU_UNKNOWN"));
}

void ShellCommandsTest::commandsWithoutTheirDialogDoNothing() {
    DesktopFixture f;
    CMainDlg w;
    for (std::string_view name : menu::commandNames()) {
        QVERIFY2(w.hasCommand(name), name.data());
        if (name == menu::kQuitter || name == menu::kApropo || name == menu::kConfSave ||
            name == menu::kConfLoad)
            continue;
        QVERIFY(w.runCommand(name));
    }
    // Nothing asked for a file (no dialog kind offers one) and nothing was shown.
    QVERIFY(f.prompts.fileRequests.empty());
    QVERIFY(f.prompts.messages.empty());
    QCOMPARE(w.result(), 0);
}

void ShellCommandsTest::saveConfigurationAsOntoItself() {
    DesktopFixture f;
    const std::string current = f.desktop.flowApp().currentConfiguration();
    const std::string before = readFile(current);
    CMainDlg w;
    const QString title = w.windowTitle();
    f.prompts.files = {current};
    QVERIFY(w.runCommand(menu::kConfSave));

    QCOMPARE(f.prompts.fileRequests.size(), std::size_t{1});
    QVERIFY(f.prompts.fileRequests[0].save);
    QCOMPARE(f.prompts.fileRequests[0].filter, std::string("Config File (*.CalyptronKS)"));
    QCOMPARE(f.prompts.fileRequests[0].defaultSuffix, std::string("CalyptronKS"));
    QCOMPARE(f.prompts.messages.size(), std::size_t{1});
    QCOMPARE(f.prompts.messages[0].text,
             std::string("Fichier source identique au fichier destination !"));
    QCOMPARE(f.prompts.messages[0].caption, std::string("Erreur"));
    QVERIFY(f.prompts.messages[0].icon == ks::CUserPrompts::Icon::Error);
    QCOMPARE(f.desktop.flowApp().currentConfiguration(), current);
    QCOMPARE(readFile(current), before);
    QCOMPARE(w.windowTitle(), title);
}

void ShellCommandsTest::saveConfigurationAsElsewhere() {
    DesktopFixture f;
    CMainDlg w;
    const std::string target = f.path("site-nord.CalyptronKS");
    f.prompts.files = {target};
    QVERIFY(w.runCommand(menu::kConfSave));
    QVERIFY(f.prompts.messages.empty());
    QCOMPARE(f.desktop.flowApp().currentConfiguration(), target);
    QVERIFY(w.windowTitle().endsWith(QStringLiteral("site-nord")));
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("Calyptron KS 1.0.0   -   ")));

    // Cancelled: nothing changes.
    QVERIFY(w.runCommand(menu::kConfSave));
    QCOMPARE(f.desktop.flowApp().currentConfiguration(), target);
}

void ShellCommandsTest::loadConfiguration() {
    DesktopFixture f;
    const std::string first = f.desktop.flowApp().currentConfiguration();
    const std::string second = f.path("zweite.CalyptronKS");
    ks::CProfileFile cfg(second);
    cfg.writeString("Language", "Language", "3.000000");
    cfg.writeString("Modem", "Use modem", "0.000000");
    CMainDlg w;
    QCOMPARE(w.menuBar()->actions().size(), 4);
    f.desktop.flowApp().setWorkingFolder(f.path("measurements/"));

    f.prompts.files = {second};
    QVERIFY(w.runCommand(menu::kConfLoad));
    QVERIFY(!f.prompts.fileRequests[0].save);
    QCOMPARE(f.desktop.flowApp().currentConfiguration(), second);
    QCOMPARE(w.configurationPath(), second);
    const QString name = QString::fromStdString(f.path("zweite"));
    const QString shown = name.size() > 40 ? name.left(3) + "..." + name.right(34) : name;
    QCOMPARE(w.windowTitle(), QStringLiteral("Calyptron KS 1.0.0   -   ") + shown);
    QCOMPARE(w.language(), 4);
    QCOMPARE(w.menuBar()->actions().at(0)->text(), QStringLiteral("&Datei"));
    QCOMPARE(w.menuBar()->actions().size(), 5);
    QCOMPARE(f.desktop.flowApp().lastConfig().readString(ks::profile::kLastConfig), second);
    // The working folder went into the configuration that was left.
    QCOMPARE(ks::CProfileFile(first).readString(ks::profile::kPathFileSave),
             f.path("measurements/"));
}

void ShellCommandsTest::openPicksTheDialogByExtension() {
    DesktopFixture f;
    std::vector<DialogCall> calls;
    addFakeDialog(f.desktop.dialogs(), DialogKind::Settings, calls, QDialog::Accepted, "eta");
    addFakeDialog(f.desktop.dialogs(), DialogKind::Measurement, calls, QDialog::Accepted, "mes");
    addFakeDialog(f.desktop.dialogs(), DialogKind::Oem, calls, QDialog::Accepted, "oem");
    CMainDlg w;
    f.prompts.files = {"/data/site.mes", "/data/site.txt", "/data/site.eta"};
    QVERIFY(w.runCommand(menu::kOuvrir));
    QVERIFY(w.runCommand(menu::kOuvrir));
    QVERIFY(w.runCommand(menu::kOuvrir));

    QCOMPARE(f.prompts.fileRequests.at(0).filter, std::string("Fichier (*.eta; *.mes; *.oem)"));
    QCOMPARE(f.prompts.fileRequests.at(0).folder, f.desktop.flowApp().workingFolder());
    QCOMPARE(calls.size(), std::size_t{2});
    QCOMPARE(calls[0].kind, static_cast<int>(DialogKind::Measurement));
    QCOMPARE(calls[0].mode, 4);
    QCOMPARE(calls[0].filePath, std::string("/data/site.mes"));
    QCOMPARE(calls[1].kind, static_cast<int>(DialogKind::Settings));
    QCOMPARE(calls[1].filePath, std::string("/data/site.eta"));
}

void ShellCommandsTest::openPathFromTheCommandLine() {
    DesktopFixture f;
    std::vector<DialogCall> calls;
    addFakeDialog(f.desktop.dialogs(), DialogKind::Measurement, calls, QDialog::Accepted, "mes");
    CMainDlg w;
    QVERIFY(w.openPath("/data/site.mes"));
    QVERIFY(!w.openPath("/data/site.eta")); // a kind whose dialog is not in this build
    QVERIFY(!w.openPath("/data/site.txt"));
    QVERIFY(f.prompts.fileRequests.empty());
    QCOMPARE(calls.size(), std::size_t{1});
    QCOMPARE(calls[0].mode, 4);
    QCOMPARE(calls[0].filePath, std::string("/data/site.mes"));
    // Settings and recordings given on the command line are never configuration files.
    for (const char* path : {"a.eta", "b.etaBio", "c.mes", "d.esc", "e.rus", "f.rsp", "g.sa",
                             "h.sp", "i.ssp", "j.dev"})
        QVERIFY2(ks::shell::isDocumentPath(path), path);
    for (const char* path : {"site.CalyptronKS", "default.CalyptronKS", "notes.txt", "mes"})
        QVERIFY2(!ks::shell::isDocumentPath(path), path);
}

void ShellCommandsTest::saveAllAndPrintAllStopAtTheFirstRefusal() {
    DesktopFixture f;
    std::vector<DialogCall> calls;
    auto& d = f.desktop.dialogs();
    addFakeDialog(d, DialogKind::Settings, calls, QDialog::Accepted, "eta");
    addFakeDialog(d, DialogKind::Factory, calls, QDialog::Accepted, "usi");
    addFakeDialog(d, DialogKind::AnalogOutput, calls, QDialog::Rejected, "sa");
    addFakeDialog(d, DialogKind::SpecialSettings, calls, QDialog::Accepted, "sp");
    CMainDlg w;
    f.prompts.files = {"/data/all"};
    QVERIFY(w.runCommand(menu::kDialSauveAll));
    QCOMPARE(f.prompts.fileRequests.at(0).filter, std::string("Fichier (*.eta;*.usi;*.sa;*.sp)"));
    QCOMPARE(calls.size(), std::size_t{3});
    const char* const paths[] = {"/data/all.eta", "/data/all.usi", "/data/all.sa"};
    for (std::size_t i = 0; i < 3; ++i) {
        QCOMPARE(calls[i].mode, 65);
        QCOMPARE(calls[i].filePath, std::string(paths[i]));
    }

    calls.clear();
    QVERIFY(w.runCommand(menu::kDialImprimeAll));
    QCOMPARE(calls.size(), std::size_t{3});
    QCOMPARE(calls[2].kind, static_cast<int>(DialogKind::AnalogOutput));
    QCOMPARE(calls[2].mode, 129);
}

void ShellCommandsTest::newSettingsAsksForTheTypeFirst() {
    DesktopFixture f;
    std::vector<DialogCall> calls;
    addFakeDialog(f.desktop.dialogs(), DialogKind::TypeSelection, calls, QDialog::Rejected);
    addFakeDialog(f.desktop.dialogs(), DialogKind::Settings, calls);
    CMainDlg w;
    QVERIFY(w.runCommand(menu::kNewEtalonnage));
    QCOMPARE(calls.size(), std::size_t{1});

    addFakeDialog(f.desktop.dialogs(), DialogKind::TypeSelection, calls, QDialog::Accepted);
    QVERIFY(w.runCommand(menu::kNewEtalonnage));
    QCOMPARE(calls.size(), std::size_t{3});
    QCOMPARE(calls[2].kind, static_cast<int>(DialogKind::Settings));
    QCOMPARE(calls[2].mode, 2);
}

void ShellCommandsTest::modemConnectAndDisconnect() {
    DesktopFixture f({{"Modem/Use modem", "0.000000"}});
    std::vector<DialogCall> calls;
    addFakeDialog(f.desktop.dialogs(), DialogKind::ModemDial, calls, QDialog::Rejected);
    addFakeDialog(f.desktop.dialogs(), DialogKind::ModemHangUp, calls, QDialog::Rejected);
    CMainDlg w;
    auto modemTitle = [&] { return w.menuBar()->actions().at(2)->text(); };
    QCOMPARE(modemTitle(), QStringLiteral("&Modem déconnecté"));

    QVERIFY(w.runCommand(menu::kModemConnect)); // the call fails
    QVERIFY(!f.desktop.flowApp().modemConnected());
    addFakeDialog(f.desktop.dialogs(), DialogKind::ModemDial, calls, QDialog::Accepted);
    QVERIFY(w.runCommand(menu::kModemConnect));
    QVERIFY(f.desktop.flowApp().modemConnected());
    QCOMPARE(modemTitle(), QStringLiteral("&Modem connecté"));
    QVERIFY(
        !ks::gui::CMenuBuilder::findAction(*w.menuBar(), "WM_USER_MENU_CONF_LOAD")->isEnabled());

    // A hang-up that reports a failure still counts as disconnected.
    QVERIFY(w.runCommand(menu::kModemDeconnect));
    QVERIFY(!f.desktop.flowApp().modemConnected());
    QCOMPARE(modemTitle(), QStringLiteral("&Modem déconnecté"));
    QCOMPARE(calls.size(), std::size_t{3});
    QCOMPARE(calls[2].kind, static_cast<int>(DialogKind::ModemHangUp));

    // A call still up when the window goes is hung up.
    {
        CMainDlg other;
        QVERIFY(other.runCommand(menu::kModemConnect));
        QVERIFY(f.desktop.flowApp().modemConnected());
    }
    QVERIFY(!f.desktop.flowApp().modemConnected());
    QCOMPARE(calls.back().kind, static_cast<int>(DialogKind::ModemHangUp));
}

void ShellCommandsTest::optionsChangeTheLanguage() {
    DesktopFixture f;
    // The options dialog stores the user's choices when it is accepted.
    f.desktop.dialogs().add(DialogKind::Options, [&f](const ks::gui::DialogRequest& r) {
        ks::CProfileFile cfg(f.desktop.flowApp().currentConfiguration());
        cfg.writeString("Language", "Language", "4.000000");
        cfg.writeString("Modem", "Use modem", "0.000000");
        return std::make_unique<CFakeDialog>(r.parent, QDialog::Accepted);
    });
    f.desktop.setLanguageOverride(2);
    CMainDlg w;
    QCOMPARE(w.language(), 2);
    QVERIFY(w.runCommand(menu::kConfConf));
    QCOMPARE(w.language(), 5);
    QVERIFY(f.desktop.flowApp().modemEnabled());
    QCOMPARE(w.menuBar()->actions().size(), 5);
    QCOMPARE(w.menuBar()->actions().at(0)->text(), QStringLiteral("&Fichero"));
}

void ShellCommandsTest::quitEndsTheMainWindow() {
    DesktopFixture f;
    CMainDlg w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.postCommand(menu::kQuitter);
    QTRY_VERIFY(!w.isVisible());
    QCOMPARE(w.result(), static_cast<int>(QDialog::Accepted));
}

void ShellCommandsTest::logo_data() {
    QTest::addColumn<bool>("logoFlag");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("builtIn");
    QTest::addColumn<bool>("custom");
    QTest::newRow("no logo") << false << 0 << true << false;
    QTest::newRow("customer logo") << false << 563 << false << true;
    QTest::newRow("logo of the wrong size") << false << 564 << false << false;
    QTest::newRow("logo set up once, file gone") << true << 0 << false << false;
}

void ShellCommandsTest::logo() {
    QFETCH(bool, logoFlag);
    QFETCH(int, width);
    QFETCH(bool, builtIn);
    QFETCH(bool, custom);
    QTemporaryDir home;
    const std::string dir = home.path().toStdString() + "/";
    if (logoFlag)
        ks::CProfileFile(dir + "last.cfg").writeString("Logo", "Logo", "Y");
    if (width > 0)
        writeBmp(dir + "logo.bmp", width, 446);
    CScriptedPrompts prompts;
    ks::gui::CDesktopApp desktop;
    ks::StartupInputs in;
    in.home = dir;
    desktop.flowApp().startUp(in);

    CMainDlg w;
    QCOMPARE(w.logoView()->showsBuiltIn(), builtIn);
    QCOMPARE(!w.logoView()->custom().isNull(), custom);
    if (custom) {
        // Column x of the test picture is grey level x.
        QCOMPARE(w.logoView()->custom().pixel(200, 100), qRgb(200, 200, 200));
        const QImage shown = w.logoView()->grab().toImage();
        QCOMPARE(shown.pixel(200, 100), qRgb(200, 200, 200));
    }
    CAboutDlg about(&w);
    QCOMPARE(about.picture() != nullptr, !desktop.flowApp().logoFlag());
}

void ShellCommandsTest::aboutBox() {
    DesktopFixture f({{"Language/Language", "3.000000"}});
    CMainDlg w;
    CAboutDlg about(&w);
    QCOMPARE(about.windowTitle(), QStringLiteral("Über ..."));
    QCOMPARE(about.aboutText(), QStringLiteral("Applikation : Calyptron KS\n\nVersion : V2 1.0.0"
                                               "\n\nCopyright (C) 2026 Calyptron KS developers"));
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Return);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), static_cast<int>(QDialog::Accepted));
}

QTEST_MAIN(ShellCommandsTest)
#include "ShellCommandsTest.moc"
