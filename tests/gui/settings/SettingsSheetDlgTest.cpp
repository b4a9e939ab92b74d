// The settings sheet against calyptron-sim over a pseudo-terminal, offscreen.
#include "settings/SettingsSheetDlg.h"
#include "DialogDriving.h"
#include "app/ProfileKeys.h"
#include "controls/CComboKS.h"
#include "controls/CEditKS.h"
#include "controls/CMSFlexGrid.h"
#include "controls/CTabHost.h"
#include "settings/ApplicationSelectionDlg.h"
#include "settings/DifferenceDlg.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsIds.h"
#include "shell/DialogModes.h"
#include "shell/MainDlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QTableWidget>
#include <QtTest>

#include <functional>
#include <map>

using ks::gui::CComboKS;
using ks::gui::CEditKS;
using ks::gui::CSettingsSheetDlg;
namespace id = ks::settings::id;
namespace blk = ks::settings::block;
namespace dialogmode = ks::dialogmode;

namespace {

// Whether the rules left a row (or a group) on its page: its widget is not hidden.
bool shown(CSettingsSheetDlg& dlg, int fieldId) {
    const ks::gui::FieldWidgets w = dlg.widgetsOf(fieldId);
    const QWidget* widget = w.group != nullptr ? static_cast<QWidget*>(w.group) : w.value;
    return widget != nullptr && !widget->isHidden();
}

// The block images the fields make, in file order: what a file or the meter holds.
std::map<int, ks::Bytes> images(CSettingsSheetDlg& dlg) {
    std::map<int, ks::Bytes> out;
    for (int block : ks::sheetFileOrder())
        out[block] = dlg.encodeBlock(block);
    return out;
}

} // namespace

class SettingsSheetDlgTest : public QObject {
    Q_OBJECT

private slots:
    void readFillsThePages();
    void editsRunTheRules();
    void entryOutsideTheLimitsIsRefusedWithTheLimits();
    void transferAnsweredYesWritesTheMeter();
    void saveAndLoadGiveTheSameBlocks();
    void compareListsTheChangedFlowUnit();
    void typeMismatchWritesNothing();
    void failedWriteNamesTheBlocksWritten();
    void newJBusNumberIsFollowed();
    void installationWritesWithoutAskingAndCloses();
    void printsTheSheetAndTheDifferences();
    void mainWindowOpensTheSheetInItsModes();
};

void SettingsSheetDlgTest::readFillsThePages() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "2"}), m.sim.error().c_str());
    auto dlg = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(dlg);
    QVERIFY(m.prompts().messages.empty());
    QCOMPARE(dlg->body()->tabHost()->count(), 4);
    QCOMPARE(dlg->body()->tabHost()->tabText(0), QString("Général"));
    QCOMPARE(dlg->body()->tabHost()->tabText(3), QString("Débit/Sorties"));

    // Values of the five blocks reached their widgets.
    const auto* firmware = qobject_cast<QLabel*>(dlg->widgetsOf(id::kFirmware).value);
    QVERIFY(firmware != nullptr && !firmware->text().trimmed().isEmpty());
    QCOMPARE(editOf(*dlg, id::kDiameter1)->text(), QString("27.9"));
    QCOMPARE(comboOf(*dlg, id::kFlowUnit)->currentText(), QString("m3/h"));
    QCOMPARE(editOf(*dlg, id::kLine1)->text().trimmed(), QString("KESTRANOL"));
    // The probe list offers the catalogue, the special probes by their factory names.
    CComboKS* probe = comboOf(*dlg, id::kProbe);
    QCOMPARE(probe->count(), dlg->sheet().rules().catalogue().offeredCount());
    QVERIFY(probe->findText("PR-W06") >= 0);
    QCOMPARE(probe->listIndex(), static_cast<int>(dlg->fields().find(id::kProbeRef)->number()));
    // A two-chord meter: the chord count is there to edit.
    QVERIFY(shown(*dlg, id::kChords));
    QCOMPARE(dlg->windowTitle(), QString("Paramétrage"));
}

void SettingsSheetDlgTest::editsRunTheRules() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    auto dlg = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(dlg);
    QVERIFY(!shown(*dlg, id::kChords)); // one chord: fixed at 1
    QVERIFY(!shown(*dlg, id::kGroupChord2));

    struct Case {
        const char* what;
        int field;
        int entry;
        int watched;
        bool visible;
    };
    const Case cases[] = {
        {"product other than water shows C0", id::kProduct, 1, id::kC0, true},
        {"water hides C0", id::kProduct, 0, id::kC0, false},
        {"material 'Autre' shows its sound speed", id::kMaterial1, 0, id::kMaterialSpeed, true},
        {"copper hides it", id::kMaterial1, 7, id::kMaterialSpeed, false},
        {"threshold relay shows its threshold", id::kRelayType1, 5, id::kThreshold1, true},
        {"volume relay shows the pulse group", id::kRelayType2, 1, id::kGroupPulse, true},
        {"KH by hand hides the viscosity", id::kKhType, 1, id::kViscosity, false},
        {"a straight-path probe shows the path length", id::kProbe, 14, id::kLength1, true},
        {"and hides the mounting", id::kProbe, 14, id::kMounting, false},
        {"an angled probe shows the mounting", id::kProbe, 2, id::kMounting, true},
        {"and hides the path length", id::kProbe, 2, id::kLength1, false},
    };
    for (const Case& c : cases) {
        choose(*dlg, c.field, c.entry);
        QVERIFY2(shown(*dlg, c.watched) == c.visible, c.what);
    }
    // The probe chosen is what the settings block stores.
    QCOMPARE(dlg->fields().find(id::kProbeRef)->number(), 2.0);
    // Titles and enabling follow too: a gain set by hand, E.S.C. disabling the margin.
    choose(*dlg, id::kGainType1, 0);
    QCOMPARE(dlg->widgetsOf(id::kMargin1).label->text(), QString("Gain"));
    QVERIFY(dlg->widgetsOf(id::kMargin1).value->isEnabled());
    choose(*dlg, id::kGainType1, 2);
    QCOMPARE(dlg->widgetsOf(id::kMargin1).label->text(), QString("Marge"));
    QVERIFY(!dlg->widgetsOf(id::kMargin1).value->isEnabled());
    // The threshold is in the flow unit chosen.
    choose(*dlg, id::kFlowUnit, 0);
    QCOMPARE(dlg->widgetsOf(id::kThreshold1).unit->text(), QString("l/s"));
}

void SettingsSheetDlgTest::entryOutsideTheLimitsIsRefusedWithTheLimits() {
    DesktopFixture f;
    CSettingsSheetDlg dlg(dialogmode::kNew, f.desktop.link());
    dlg.initialise();
    type(dlg, id::kDiameter1, "5000");
    QCOMPARE(dlg.fields().find(id::kDiameter1)->text(), std::string("27.9"));
    QCOMPARE(editOf(dlg, id::kDiameter1)->text(), QString("27.9"));
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
    const std::string& said = f.prompts.messages[0].text;
    QVERIFY2(said.find("10.0") != std::string::npos && said.find("3300.0") != std::string::npos,
             said.c_str());

    // Within the limits the entry is taken, reformatted by the field.
    type(dlg, id::kDiameter1, "31.54");
    QCOMPARE(dlg.fields().find(id::kDiameter1)->text(), std::string("31.5"));
    QCOMPARE(f.prompts.messages.size(), std::size_t(1));
}

void SettingsSheetDlgTest::transferAnsweredYesWritesTheMeter() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    auto dlg = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(dlg);
    choose(*dlg, id::kFlowUnit, 0);
    type(*dlg, id::kDiameter1, "31.5");
    type(*dlg, id::kLine2, "POSTE 7");

    // Answered No: nothing goes.
    m.prompts().answers = {ks::CUserPrompts::Answer::No};
    dlg->transfer();
    auto before = readDialog<CSettingsSheetDlg>(m);
    QCOMPARE(before->fields().find(id::kDiameter1)->text(), std::string("27.9"));

    m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
    const ks::TransferOutcome out = dlg->runTransfer();
    QCOMPARE(out.status, ks::TransferOutcome::Status::Written);
    QCOMPARE(out.written, std::vector<int>{blk::kMain});
    QCOMPARE(m.prompts().questions.size(), std::size_t(2));
    QCOMPARE(m.prompts().questions[1].text,
             std::string("Voulez vous transférer les informations dans l'appareil ?"));
    QVERIFY(m.prompts().messages.empty());

    auto after = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(after);
    QCOMPARE(after->fields().find(id::kDiameter1)->text(), std::string("31.5"));
    QCOMPARE(comboOf(*after, id::kFlowUnit)->currentText(), QString("l/s"));
    QCOMPARE(editOf(*after, id::kLine2)->text().trimmed(), QString("POSTE 7"));
    QCOMPARE(after->encodeBlock(blk::kMain), dlg->encodeBlock(blk::kMain));
}

void SettingsSheetDlgTest::saveAndLoadGiveTheSameBlocks() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "3"}), m.sim.error().c_str());
    auto dlg = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(dlg);
    choose(*dlg, id::kMaterial2, 11);
    const std::string path = m.fixture->path("site.eta");
    m.prompts().files = {path};
    dlg->saveCommand();
    QVERIFY(m.prompts().messages.empty());
    QCOMPARE(m.prompts().fileRequests.size(), std::size_t(1));
    QCOMPARE(m.prompts().fileRequests[0].defaultSuffix, std::string("eta"));
    // The sheet now shows the file: its name in the caption.
    QCOMPARE(dlg->sourceFile(), path);
    QVERIFY(dlg->windowTitle().contains("site.eta"));

    CSettingsSheetDlg opened(dialogmode::kOpen, m.desktop().link(), nullptr, path);
    opened.initialise();
    QVERIFY(opened.loadFile(path));
    QCOMPARE(images(opened), images(*dlg));
    QCOMPARE(comboOf(opened, id::kMaterial2)->listIndex(), 11);
    QVERIFY(shown(opened, id::kGroupQt)); // a two-pipe file shows the QT formula

    // A file that is not one is refused, and the fields stay as they were.
    const std::string bad = m.fixture->path("bad.eta");
    QFile junk(QString::fromStdString(bad));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a settings file at all");
    junk.close();
    QVERIFY(!opened.loadFile(bad));
    QCOMPARE(m.prompts().messages.back().text, std::string("Fichier incorrect"));
    QCOMPARE(images(opened), images(*dlg));
}

void SettingsSheetDlgTest::compareListsTheChangedFlowUnit() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    auto dlg = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(dlg);
    const std::string reference = m.fixture->path("ref.eta");
    QVERIFY(dlg->saveFile(reference));

    auto compare = [&](std::vector<std::vector<QString>>& rows, QStringList& lines) {
        m.prompts().files = {reference};
        whileModal([&] { dlg->compareCommand(); },
                   [&](QWidget* modal) {
                       auto* diff = qobject_cast<ks::gui::CDifferenceDlg*>(modal);
                       QVERIFY(diff != nullptr);
                       QCOMPARE(diff->windowTitle(), QString("Différences"));
                       ks::CMSFlexGrid& grid = diff->grid();
                       for (int r = 0; r < grid.GetRows(); ++r) {
                           std::vector<QString> row;
                           for (int c = 0; c < grid.GetCols(); ++c)
                               row.push_back(grid.GetCell(c, r));
                           rows.push_back(row);
                       }
                       for (QLabel* l : diff->findChildren<QLabel*>())
                           lines << l->text();
                   });
    };
    std::vector<std::vector<QString>> same;
    QStringList lines;
    compare(same, lines);
    QCOMPARE(same.size(), std::size_t(1)); // the title row alone
    QCOMPARE(same[0], (std::vector<QString>{"Paramètre", "Référence", "Actuel", "Unité"}));
    QVERIFY(lines.contains(QString::fromStdString("Paramètres références " + reference)));
    QVERIFY(lines.contains("Paramètres actuels Liaison Série"));

    choose(*dlg, id::kFlowUnit, 0);
    std::vector<std::vector<QString>> changed;
    lines.clear();
    compare(changed, lines);
    QCOMPARE(changed.size(), std::size_t(2));
    QCOMPARE(changed[1], (std::vector<QString>{"Unité Q", "m3/h", "l/s", ""}));
    QVERIFY(lines.contains(QString("Visa : ______________________")));
}

void SettingsSheetDlgTest::typeMismatchWritesNothing() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "2"}), m.sim.error().c_str());
    // A new one-chord sheet (Selection Type 1) meets a two-chord meter.
    CSettingsSheetDlg dlg(dialogmode::kNew, m.desktop().link());
    dlg.initialise();
    type(dlg, id::kDiameter1, "99.9");
    choose(dlg, id::kSyncClock, 0);
    m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
    const ks::TransferOutcome out = dlg.runTransfer();
    QCOMPARE(out.status, ks::TransferOutcome::Status::TypeMismatch);
    QCOMPARE(m.prompts().messages.size(), std::size_t(1));
    QCOMPARE(m.prompts().messages[0].text,
             std::string("Unité connectée=Bicorde\nFichier=Monocorde"));
    QCOMPARE(m.prompts().messages[0].caption, std::string("Attention"));

    auto meter = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(meter);
    QCOMPARE(meter->fields().find(id::kDiameter1)->text(), std::string("27.9"));
}

void SettingsSheetDlgTest::failedWriteNamesTheBlocksWritten() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1", "--refuse-write", "2306"}), m.sim.error().c_str());
    auto dlg = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(dlg);
    choose(*dlg, id::kSyncClock, 0);
    choose(*dlg, id::kResetTotaliser1, 0);
    type(*dlg, id::kDiameter1, "40.0");
    m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
    const ks::TransferOutcome out = dlg->runTransfer();
    QCOMPARE(out.status, ks::TransferOutcome::Status::WriteFailed);
    QCOMPARE(out.failedBlock, blk::kTotaliser);
    QVERIFY(!m.prompts().messages.empty());
    QCOMPARE(m.prompts().messages.back().text,
             std::string("L'écriture du bloc 0x2306 a échoué.\nBlocs écrits : 0x2301, 0x1100"));
    // What was written before the failure is in the meter.
    auto after = readDialog<CSettingsSheetDlg>(m);
    QCOMPARE(after->fields().find(id::kDiameter1)->text(), std::string("40.0"));
}

void SettingsSheetDlgTest::newJBusNumberIsFollowed() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    auto dlg = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(dlg);
    type(*dlg, id::kSlave, "7");
    choose(*dlg, id::kResetTotaliser2, 0);
    m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
    const ks::TransferOutcome out = dlg->runTransfer();
    // The totaliser command after the settings reached the meter at its new number.
    QCOMPARE(out.status, ks::TransferOutcome::Status::Written);
    QCOMPARE(out.written, (std::vector<int>{blk::kMain, blk::kTotaliser}));
    QCOMPARE(dlg->connection().slave, 7);
    QCOMPARE(dlg->readMeter(), 0);
    QCOMPARE(dlg->fields().find(id::kSlave)->text(), std::string("7"));
    QVERIFY(m.prompts().messages.empty());
}

void SettingsSheetDlgTest::installationWritesWithoutAskingAndCloses() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    CSettingsSheetDlg dlg(CSettingsSheetDlg::kInstallationMode, m.desktop().link());
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QVERIFY(m.prompts().questions.empty());
    QVERIFY(m.prompts().messages.empty());
    // Clock, settings and both totalisers went in that order.
    QCOMPARE(dlg.fields().find(id::kTotaliserWord)->number(), 65537.0);
    QCOMPARE(dlg.fields().find(id::kSyncClock)->listIndex(), 0);
}

void SettingsSheetDlgTest::printsTheSheetAndTheDifferences() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    auto dlg = readDialog<CSettingsSheetDlg>(m);
    QVERIFY(dlg);
    const QString sheetPdf = QString::fromStdString(m.fixture->path("sheet.pdf"));
    m.desktop().setPrintToFile(sheetPdf.toStdString());
    QCOMPARE(dlg->print(), 0);
    const QString sheetText = pdfText(sheetPdf);
    for (const char* expected : {"Général", "Conduite - Produit", "Unité Q", "m3/h", "27.9"})
        QVERIFY2(sheetText.contains(QString::fromUtf8(expected)), expected);

    const std::string reference = m.fixture->path("ref.eta");
    QVERIFY(dlg->saveFile(reference));
    choose(*dlg, id::kFlowUnit, 2);
    const QString diffPdf = QString::fromStdString(m.fixture->path("diff.pdf"));
    m.desktop().setPrintToFile(diffPdf.toStdString());
    m.prompts().files = {reference};
    whileModal([&] { dlg->compareCommand(); },
               [&](QWidget* modal) {
                   auto* diff = qobject_cast<ks::gui::CDifferenceDlg*>(modal);
                   QVERIFY(diff != nullptr);
                   QCOMPARE(diff->print(), 0);
               });
    const QString diffText = pdfText(diffPdf);
    for (const char* expected : {"Paramètres actuels", "Paramètre", "Unité Q", "m3/h", "l/h",
                                 "Unité N° :", "Visa :", "Liaison Série"})
        QVERIFY2(diffText.contains(QString::fromUtf8(expected)), expected);
}

void SettingsSheetDlgTest::mainWindowOpensTheSheetInItsModes() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    ks::gui::installProgramDialogs(m.desktop().dialogs());
    ks::gui::CMainDlg main;

    // New: the application selection first; two chords chosen, the sheet starts from the
    // defaults of a two-chord meter.
    bool sawSheet = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<ks::gui::CApplicationSelectionDlg*>(
                                     QApplication::activeModalWidget()) != nullptr,
                                 10000);
        auto* select =
            qobject_cast<ks::gui::CApplicationSelectionDlg*>(QApplication::activeModalWidget());
        auto* combo = qobject_cast<CComboKS*>(
            select->body()->binder().widgets(ks::gui::CApplicationSelectionDlg::kChoice).value);
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->itemText(0), QString("Monocorde"));
        select->setSelection(2);
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY_WITH_TIMEOUT(
                qobject_cast<CSettingsSheetDlg*>(QApplication::activeModalWidget()) != nullptr,
                10000);
            auto* sheet = qobject_cast<CSettingsSheetDlg*>(QApplication::activeModalWidget());
            QTRY_VERIFY(sheet->fields().find(id::kTwoChords)->number() == 1);
            QVERIFY(shown(*sheet, id::kChords));
            sawSheet = true;
            sheet->reject();
        });
        select->accept();
    });
    main.newSettings();
    QVERIFY(sawSheet);
    QCOMPARE(m.desktop().flowApp().configuration().readInteger(ks::profile::kSelectionType), 2);

    // Open: a settings file in its dialog.
    auto meter = readDialog<CSettingsSheetDlg>(m);
    const std::string path = m.fixture->path("open.eta");
    QVERIFY(meter->saveFile(path));
    whileModal([&] { QVERIFY(main.openPath(path)); },
               [&](QWidget* modal) {
                   auto* sheet = qobject_cast<CSettingsSheetDlg*>(modal);
                   QVERIFY(sheet != nullptr);
                   QTRY_COMPARE(sheet->sourceFile(), path);
                   QCOMPARE(sheet->sheet().mode(), ks::sheetmode::kFile);
               });

    // Save all: read from the meter and saved beside the name chosen, unattended.
    const std::string base = m.fixture->path("all");
    m.prompts().files = {base};
    main.saveAll();
    CSettingsSheetDlg saved(dialogmode::kOpen, m.desktop().link());
    saved.initialise();
    QVERIFY(saved.loadFile(base + ".eta"));
    QCOMPARE(images(saved), images(*meter));
}

QTEST_MAIN(SettingsSheetDlgTest)
#include "SettingsSheetDlgTest.moc"
