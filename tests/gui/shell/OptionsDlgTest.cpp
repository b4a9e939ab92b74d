#include "shell/OptionsDlg.h"
#include "MeterFixture.h"
#include "app/ProfileKeys.h"
#include "controls/CButtonKS.h"
#include "controls/CComboKS.h"
#include "controls/CEditKS.h"
#include "controls/CTabHost.h"
#include "shell/DeviceSearchDlg.h"
#include "shell/MainDlg.h"
#include "shell/MenuCommands.h"

#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <fstream>
#include <functional>

using ks::gui::CComboKS;
using ks::gui::CEditKS;
using ks::gui::COptionsDlg;
using Answer = ks::CUserPrompts::Answer;

namespace {

CComboKS* comboOf(COptionsDlg& dlg, int id) {
    return qobject_cast<CComboKS*>(dlg.widgetsOf(id).value);
}

CEditKS* editOf(COptionsDlg& dlg, int id) {
    return qobject_cast<CEditKS*>(dlg.widgetsOf(id).value);
}

// The user picks an entry of a choice list.
void choose(COptionsDlg& dlg, int id, int listIndex) {
    CComboKS* combo = comboOf(dlg, id);
    const int position = combo->choices().positionOf(listIndex);
    combo->setCurrentIndex(position);
    emit combo->activated(position);
}

void type(CEditKS* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
    edit->commit();
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `action` while a watcher handles the modal dialogs it opens.
void whileModal(const std::function<void()>& action, const std::function<bool(QWidget*)>& handle) {
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget())
            handle(modal);
    });
    watcher.start();
    action();
}

constexpr int kModemFields[] = {COptionsDlg::kDialling, COptionsDlg::kModemInit,
                                COptionsDlg::kPhoneNumber, COptionsDlg::kHangUp,
                                COptionsDlg::kModemTimeout};

} // namespace

class OptionsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void newConfigurationShowsTheDefaults();
    void portListShowsDevicePaths();
    void languageSwitchesAtOnceAndNoKeepsTheFile();
    void modemChoiceEnablesItsFields();
    void yesSavesUnderTheExactKeys();
    void storedPortOutsideTheListAsksOnClosing();
    void spreadsheetBrowseAndClear();
    void searchFillsThePage();
    void configurationCommandOpensIt();
};

void OptionsDlgTest::newConfigurationShowsTheDefaults() {
    DesktopFixture f;
    const std::string before = fileText(f.desktop.flowApp().currentConfiguration());
    COptionsDlg dlg(f.desktop.link());
    dlg.initialise();
    QCOMPARE(dlg.windowTitle().left(13), QStringLiteral("Configuration"));
    QVERIFY(comboOf(dlg, COptionsDlg::kPort)->currentText().startsWith(QStringLiteral("Com 1")));
    QCOMPARE(comboOf(dlg, COptionsDlg::kBauds)->currentText(), QStringLiteral("9600"));
    QCOMPARE(editOf(dlg, COptionsDlg::kSlave)->text(), QStringLiteral("1"));
    QCOMPARE(comboOf(dlg, COptionsDlg::kLanguage)->currentText(), QStringLiteral("Français"));
    QCOMPARE(comboOf(dlg, COptionsDlg::kUseModem)->currentText(), QStringLiteral("Non"));
    QCOMPARE(comboOf(dlg, COptionsDlg::kDialling)->currentText(), QStringLiteral("Tonalité"));
    QCOMPARE(editOf(dlg, COptionsDlg::kModemInit)->text(),
             QStringLiteral("&F S95=0 E0 Q0 V1 W2 &K0 M0"));
    QCOMPARE(editOf(dlg, COptionsDlg::kHangUp)->text(), QStringLiteral("H0"));
    QCOMPARE(editOf(dlg, COptionsDlg::kModemTimeout)->text(), QStringLiteral("500"));
    QCOMPARE(editOf(dlg, COptionsDlg::kSamplePeriod)->text(), QStringLiteral("1"));
    QCOMPARE(qobject_cast<QLabel*>(dlg.widgetsOf(COptionsDlg::kSpreadsheet).value)->text(),
             QString::fromStdString(f.desktop.flowApp().spreadsheetPath())
                 .replace(QStringLiteral("tartempionexcel.exe"), QString()));
    QVERIFY(!dlg.isModified());
    QVERIFY(!dlg.isPortMissing());

    // Closing without a change asks nothing and writes nothing.
    dlg.closeDialog();
    QVERIFY(f.prompts.questions.empty());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(fileText(f.desktop.flowApp().currentConfiguration()), before);
}

void OptionsDlgTest::portListShowsDevicePaths() {
    DesktopFixture f({{"Ports/3", "/dev/ttyUSB7"}, {"Com/Port", "2.000000"}});
    f.desktop.refreshPortTable();
    COptionsDlg dlg(f.desktop.link());
    dlg.initialise();
    CComboKS* port = comboOf(dlg, COptionsDlg::kPort);
    QCOMPARE(port->count(), COptionsDlg::kPortCount);
    QCOMPARE(port->currentText(), QStringLiteral("Com 3 (/dev/ttyUSB7)"));
    QCOMPARE(port->itemText(254).left(8), QStringLiteral("Com 255"));
}

void OptionsDlgTest::languageSwitchesAtOnceAndNoKeepsTheFile() {
    DesktopFixture f;
    COptionsDlg dlg(f.desktop.link());
    dlg.initialise();
    QGroupBox* comGroup = dlg.widgetsOf(COptionsDlg::kFileGroup).group;
    QCOMPARE(comGroup->title(), QStringLiteral("Sauvegarde Fichier"));

    choose(dlg, COptionsDlg::kLanguage, 1);
    QCOMPARE(dlg.language(), 2);
    QCOMPARE(dlg.windowTitle().left(6), QStringLiteral("Option"));
    QCOMPARE(comGroup->title(), QStringLiteral("File Saving"));
    QCOMPARE(dlg.widgetsOf(COptionsDlg::kSlave).label->text(), QStringLiteral("JBus No."));
    QCOMPARE(comboOf(dlg, COptionsDlg::kUseModem)->currentText(), QStringLiteral("No"));
    QCOMPARE(dlg.body()->tabHost()->tabText(0), QStringLiteral("General"));
    QCOMPARE(dlg.button(COptionsDlg::kSearchButton)->text(), QStringLiteral("Search"));
    QVERIFY(dlg.isModified());

    f.prompts.answers = {Answer::No};
    dlg.closeDialog();
    QCOMPARE(f.prompts.questions.size(), std::size_t{1});
    QCOMPARE(f.prompts.questions[0].text, std::string("Save configuration file ?"));
    QCOMPARE(f.prompts.questions[0].caption, std::string("Caution"));
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(f.desktop.flowApp().configuration().readNumber("Language", "Language", -1), -1.0);
}

void OptionsDlgTest::modemChoiceEnablesItsFields() {
    DesktopFixture f;
    COptionsDlg dlg(f.desktop.link());
    dlg.initialise();
    const auto modemFieldsEnabled = [&dlg](bool enabled) {
        for (int id : kModemFields)
            if (dlg.widgetsOf(id).value->isEnabled() != enabled)
                return false;
        return true;
    };
    QVERIFY(modemFieldsEnabled(false));
    QVERIFY(dlg.button(COptionsDlg::kSearchButton)->isEnabled());

    choose(dlg, COptionsDlg::kUseModem, 0); // "Oui"
    QVERIFY(dlg.isModemSelected());
    QVERIFY(modemFieldsEnabled(true));
    QVERIFY(!dlg.button(COptionsDlg::kSearchButton)->isEnabled());

    choose(dlg, COptionsDlg::kUseModem, 1);
    QVERIFY(modemFieldsEnabled(false));
    QVERIFY(dlg.button(COptionsDlg::kSearchButton)->isEnabled());
    QVERIFY2(!dlg.isModified(), "back to the loaded value");
}

void OptionsDlgTest::yesSavesUnderTheExactKeys() {
    DesktopFixture f;
    COptionsDlg dlg(f.desktop.link());
    dlg.show();
    type(editOf(dlg, COptionsDlg::kSlave), QStringLiteral("17"));
    choose(dlg, COptionsDlg::kBauds, 4);
    choose(dlg, COptionsDlg::kUseModem, 0);
    type(editOf(dlg, COptionsDlg::kPhoneNumber), QStringLiteral("0123456789"));
    type(editOf(dlg, COptionsDlg::kModemTimeout), QStringLiteral("750"));
    type(editOf(dlg, COptionsDlg::kRecordLapTime), QStringLiteral("60"));
    QVERIFY(dlg.isModified());

    f.prompts.answers = {Answer::Yes};
    dlg.button(COptionsDlg::kOkButton)->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const std::string cfg = fileText(f.desktop.flowApp().currentConfiguration());
    for (const char* line :
         {"JBus=17.000000", "Bauds=4.000000", "Port=0.000000", "Use modem=0.000000",
          "Telefon number=0123456789", "Time out bevor answer=750.000000",
          "Record Lap Time=60.000000", "Sample Record Time=1.000000", "Language=0.000000",
          "Initalisation string=&F S95=0 E0 Q0 V1 W2 &K0 M0", "Desconnect string=H0",
          "Numerotation=0.000000"})
        QVERIFY2(cfg.find(line) != std::string::npos, line);
}

void OptionsDlgTest::storedPortOutsideTheListAsksOnClosing() {
    DesktopFixture f({{"Com/Port", "300.000000"}});
    COptionsDlg dlg(f.desktop.link());
    dlg.initialise();
    QVERIFY(dlg.isPortMissing());
    QVERIFY(!dlg.isModified());
    QCOMPARE(comboOf(dlg, COptionsDlg::kPort)->listIndex(), -1);

    f.prompts.answers = {Answer::Yes};
    dlg.reject(); // closing the window takes the same way
    QCOMPARE(f.prompts.questions.size(), std::size_t{1});
    QCOMPARE(f.prompts.questions[0].text,
             std::string("Attention voulez vous sauvegarder la configuration ?"));
    // Nothing to put in place of the stored port: it stays as it was.
    QCOMPARE(f.desktop.flowApp().configuration().readNumber("Com", "Port", 0), 300.0);
    QCOMPARE(f.desktop.flowApp().configuration().readNumber("Com", "JBus", 0), 1.0);
}

void OptionsDlgTest::spreadsheetBrowseAndClear() {
    DesktopFixture f({{"Spreadsheet/Path Spreadsheet", "/usr/bin/gnumeric"}});
    COptionsDlg dlg(f.desktop.link());
    dlg.initialise();
    auto* shown = qobject_cast<QLabel*>(dlg.widgetsOf(COptionsDlg::kSpreadsheet).value);
    QCOMPARE(shown->text(), QStringLiteral("/usr/bin/gnumeric"));
    f.prompts.files = {"/opt/office/bin/localc"};
    dlg.button(COptionsDlg::kBrowseButton)->click();
    QCOMPARE(shown->text(), QStringLiteral("/opt/office/bin/localc"));
    QCOMPARE(f.desktop.flowApp().workingFolder(), std::string("/opt/office/bin/"));
    QCOMPARE(f.prompts.fileRequests.at(0).folder.empty(), false);
    QVERIFY(dlg.isModified());

    // Cancelled: nothing changes.
    dlg.button(COptionsDlg::kBrowseButton)->click();
    QCOMPARE(shown->text(), QStringLiteral("/opt/office/bin/localc"));

    dlg.button(COptionsDlg::kClearButton)->click();
    QCOMPARE(shown->text(), QString());
    QVERIFY(dlg.isModified());

    f.prompts.answers = {Answer::Yes};
    dlg.closeDialog();
    QCOMPARE(f.desktop.flowApp().configuration().readString("Spreadsheet", "Path Spreadsheet", "?"),
             std::string());
}

void OptionsDlgTest::searchFillsThePage() {
    MeterFixture m;
    QVERIFY2(m.start({"--baud", "4800", "--slave", "17"}, 0, 1), m.sim.error().c_str());
    COptionsDlg dlg(m.desktop().link());
    dlg.show();
    dlg.setSearchPorts({MeterFixture::kCom}, 300);
    bool sawSearch = false;
    whileModal([&] { dlg.button(COptionsDlg::kSearchButton)->click(); },
               [&](QWidget* modal) {
                   auto* search = qobject_cast<ks::gui::CDeviceSearchDlg*>(modal);
                   if (search == nullptr)
                       return false;
                   sawSearch = true;
                   if (search->hasEnded())
                       search->endButton()->click();
                   return true;
               });
    QVERIFY(sawSearch);
    QCOMPARE(comboOf(dlg, COptionsDlg::kPort)->listIndex(), MeterFixture::kCom - 1);
    QVERIFY(comboOf(dlg, COptionsDlg::kPort)->currentText().startsWith(QStringLiteral("Com 9 (")));
    QCOMPARE(comboOf(dlg, COptionsDlg::kBauds)->listIndex(), 4);
    QCOMPARE(editOf(dlg, COptionsDlg::kSlave)->text(), QStringLiteral("17"));
    QVERIFY(dlg.isModified());
}

void OptionsDlgTest::configurationCommandOpensIt() {
    DesktopFixture f;
    ks::gui::installProgramDialogs(f.desktop.dialogs());
    ks::gui::CMainDlg w;
    bool sawOptions = false;
    whileModal([&] { QVERIFY(w.runCommand(ks::menu::kConfConf)); },
               [&](QWidget* modal) {
                   auto* options = qobject_cast<COptionsDlg*>(modal);
                   if (options == nullptr)
                       return false;
                   sawOptions = true;
                   options->closeDialog();
                   return true;
               });
    QVERIFY(sawOptions);
}

QTEST_MAIN(OptionsDlgTest)
#include "OptionsDlgTest.moc"
