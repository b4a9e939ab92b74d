// The service dialogs (factory settings, output adjustment, calibration, special probe,
// transfer chooser) and the main window's commands that open them, against calyptron-sim over
// a pseudo-terminal, offscreen.
#include "DialogDriving.h"
#include "app/ProfileKeys.h"
#include "controls/CButtonKS.h"
#include "controls/CComboKS.h"
#include "controls/CEditKS.h"
#include "controls/CTabHost.h"
#include "settings/CEscDlg.h"
#include "settings/CalibrationDlg.h"
#include "settings/FactoryDlg.h"
#include "settings/OemDlg.h"
#include "settings/OutputAdjustmentDlg.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsSheetDlg.h"
#include "settings/SpecialProbeDlg.h"
#include "settings/SpecialSettingsDlg.h"
#include "settings/TransferChooserDlg.h"
#include "shell/DialogModes.h"
#include "shell/MainDlg.h"
#include "shell/MenuCommands.h"

#include <QProcess>
#include <QProgressBar>
#include <QtTest>

#include <filesystem>
#include <functional>

using ks::gui::CComboKS;
using ks::gui::CDeviceDlg;
using ks::gui::CEditKS;
using ks::gui::CParameterDlg;
using ks::gui::CTransferChooserDlg;
using Item = ks::CTransferChooser::Item;
namespace id = ks::settings::id;
namespace F = ks::settings::factory;
namespace blk = ks::settings::block;
namespace cal = ks::settings::calibration;
namespace out = ks::settings::output;
namespace pr = ks::settings::probe;
namespace dialogmode = ks::dialogmode;

namespace {

int jbusSetting(MeterFixture& m) {
    return m.desktop().flowApp().configuration().readInteger(ks::profile::kComJBus);
}

} // namespace

class ServiceDlgTest : public QObject {
    Q_OBJECT

private slots:
    void factoryPagesAndLists();
    void typedValuesReachTheMeter();
    void calibrationChangesOnlyItsTwoValues();
    void specialProbeGoesToAFileOrIntoSaOrSb();
    void transferChooserPutsTheSlaveNumberBack();
    void mainWindowOpensEachKindAndSavesAll();
    void menuCommandsOpenTheirDialogs();
    void echoTablesKeepInAFileAndPrint();
};

void ServiceDlgTest::factoryPagesAndLists() {
    DesktopFixture f;
    ks::gui::CFactoryDlg dlg(dialogmode::kNew, f.desktop.link());
    dlg.initialise();
    ks::gui::CTabHost* tabs = dlg.body()->tabHost();
    QVERIFY(tabs != nullptr);
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QString("Général"));
    QCOMPARE(tabs->tabText(1), QString("Linéarisation"));
    QCOMPARE(tabs->tabText(2), QString("Sonde spéciale"));
    QCOMPARE(dlg.windowTitle(), QString("Réglage usine"));
    QCOMPARE(dlg.fileExtension(), QString("rus"));

    // Both transmit/receive lists hold the 18 modes; the second starts on "TxRx AM2/AV2".
    for (int mode : {F::kTxRxMode1, F::kTxRxMode2}) {
        CComboKS* combo = comboOf(dlg, mode);
        QVERIFY(combo != nullptr);
        QCOMPARE(combo->count(), 18);
        QCOMPARE(combo->itemText(0), QString("TxRx AM1/AV1"));
        QCOMPARE(combo->itemText(17), QString("Tx AV2"));
    }
    QCOMPARE(comboOf(dlg, F::kTxRxMode2)->currentText(), QString("TxRx AM2/AV2"));

    // "Coef 50%" = 1.234 is the register at bytes 26 and 27, 1234.
    type(dlg, F::kCoefficient0 + 50, "1.234");
    const ks::Bytes image = dlg.encodeBlock(blk::kFactory);
    QCOMPARE(image.size(), std::size_t(61));
    QCOMPARE(int(image[26]), 1234 >> 8);
    QCOMPARE(int(image[27]), 1234 & 0xFF);
    // A probe name is six characters at most: a seventh never enters.
    type(dlg, F::kTextA, "ABCDEFG");
    QCOMPARE(editOf(dlg, F::kTextA)->text(), QString("ABCDEF"));
    QCOMPARE(textOf(dlg, F::kTextA), std::string("ABCDEF"));

    // German texts on the same dialog.
    dlg.applyLanguage(4);
    QCOMPARE(tabs->tabText(0), QString("Allgemein"));
    QCOMPARE(comboOf(dlg, F::kTxRxMode1)->itemText(0), QString("TxRx U1/D1"));
}

void ServiceDlgTest::typedValuesReachTheMeter() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "2"}), m.sim.error().c_str());

    struct Case {
        const char* what;
        std::function<std::unique_ptr<CParameterDlg>()> read;
        int field;
        QString typed;
        std::string stored;
    };
    const Case cases[] = {
        {"factory coefficient", [&] { return readDialog<ks::gui::CFactoryDlg>(m); },
         F::kCoefficient0 + 50, "1.234", "1.234"},
        {"factory gain max", [&] { return readDialog<ks::gui::CFactoryDlg>(m); }, F::kGainMax, "66",
         "66"},
        {"factory delta T filter (16 bits)", [&] { return readDialog<ks::gui::CFactoryDlg>(m); },
         F::kDeltaTFilter, "4321.5", "4321.5"},
        {"output 1 at 4 mA", [&] { return readDialog<ks::gui::COutputAdjustmentDlg>(m); },
         out::kOutput1At4mA, "1234", "1234"},
        {"output 2 at 20 mA", [&] { return readDialog<ks::gui::COutputAdjustmentDlg>(m); },
         out::kOutput2At20mA, "65000", "65000"},
    };
    for (const Case& c : cases) {
        auto dlg = c.read();
        QVERIFY2(dlg != nullptr, c.what);
        type(*dlg, c.field, c.typed);
        // Answered No: the meter keeps its value.
        m.prompts().answers = {ks::CUserPrompts::Answer::No};
        dlg->transfer();
        QVERIFY2(textOf(*c.read(), c.field) != c.stored, c.what);
        m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
        dlg->transfer();
        QVERIFY2(m.prompts().messages.empty(), c.what);
        QCOMPARE(m.prompts().questions.back().text,
                 std::string("Voulez vous transférer les informations dans l'appareil ?"));
        QCOMPARE(m.prompts().questions.back().caption, std::string("Attention"));
        auto back = c.read();
        QVERIFY2(back != nullptr, c.what);
        QVERIFY2(textOf(*back, c.field) == c.stored, c.what);
    }

    // A refused write names the block; nothing was written before it.
    MeterFixture refusing;
    QVERIFY2(refusing.start({"--refuse-write", "3000"}), refusing.sim.error().c_str());
    auto dlg = readDialog<ks::gui::COutputAdjustmentDlg>(refusing);
    QVERIFY(dlg);
    refusing.prompts().answers = {ks::CUserPrompts::Answer::Yes};
    dlg->transfer();
    QVERIFY(!refusing.prompts().messages.empty());
    QVERIFY2(refusing.prompts().messages.back().text.find("0x3000") != std::string::npos,
             refusing.prompts().messages.back().text.c_str());
}

void ServiceDlgTest::calibrationChangesOnlyItsTwoValues() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    auto dlg = readDialog<ks::gui::CCalibrationDlg>(m);
    QVERIFY(dlg);
    // The meter's Kh and Delta T0 1 in the two edits.
    QCOMPARE(textOf(*dlg, cal::kKh), textOf(*dlg, id::kKh));
    QCOMPARE(textOf(*dlg, cal::kDeltaT0), textOf(*dlg, id::kDeltaT01));
    QCOMPARE(dlg->fileExtension(), QString("etaBio"));
    const std::string diameter = textOf(*dlg, id::kDiameter1);

    // Meanwhile the sheet changes the diameter on the meter: the calibration keeps it.
    auto sheet =
        std::make_unique<ks::gui::CSettingsSheetDlg>(dialogmode::kDialogue, m.desktop().link());
    sheet->initialise();
    QCOMPARE(sheet->readMeter(), 0);
    type(*sheet, id::kDiameter1, "44.4");
    m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
    QCOMPARE(sheet->runTransfer().status, ks::TransferOutcome::Status::Written);
    QVERIFY(diameter != "44.4");

    type(*dlg, cal::kKh, "1.234");
    type(*dlg, cal::kDeltaT0, "-12.5");
    m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
    const ks::TransferOutcome outcome = static_cast<ks::gui::CServiceDlg&>(*dlg).runTransfer();
    QCOMPARE(outcome.status, ks::TransferOutcome::Status::Written);
    QCOMPARE(outcome.written, std::vector<int>{blk::kMain}); // clock not chosen
    QVERIFY(m.prompts().messages.empty());

    auto back = readDialog<ks::gui::CCalibrationDlg>(m);
    QVERIFY(back);
    QCOMPARE(textOf(*back, cal::kKh), std::string("1.234"));
    QCOMPARE(textOf(*back, cal::kDeltaT0), std::string("-12.50"));
    QCOMPARE(textOf(*back, id::kDiameter1), std::string("44.4"));

    // Its file carries the whole settings block with the edits in it, and loads back into
    // the two edits.
    type(*back, cal::kKh, "2.345");
    const std::string path = m.fixture->path("calib.etaBio");
    QVERIFY(back->saveFile(path));
    QCOMPARE(textOf(*back, id::kKh), std::string("2.345"));
    ks::gui::CCalibrationDlg opened(dialogmode::kOpen, m.desktop().link(), nullptr, path);
    opened.initialise();
    QVERIFY(opened.loadFile(path));
    QCOMPARE(textOf(opened, cal::kKh), std::string("2.345"));
    QCOMPARE(textOf(opened, cal::kDeltaT0), std::string("-12.50"));
    QCOMPARE(opened.encodeBlock(blk::kMain), back->encodeBlock(blk::kMain));
}

void ServiceDlgTest::specialProbeGoesToAFileOrIntoSaOrSb() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    auto before = readDialog<ks::gui::CFactoryDlg>(m);
    QVERIFY(before);

    ks::gui::CSpecialProbeDlg dlg(dialogmode::kNew, m.desktop().link());
    dlg.initialise();
    QCOMPARE(editOf(dlg, pr::kText)->text(), QString("Sp"));
    type(dlg, pr::kText, "PRB-77X");
    QCOMPARE(editOf(dlg, pr::kText)->text(), QString("PRB-77"));
    type(dlg, pr::kT0, "2.5");
    type(dlg, pr::kAngle, "45.50");
    choose(dlg, pr::kFrequency, 4);
    choose(dlg, pr::kTarget, 1); // SB

    // Into the file of its kind, and back.
    const std::string path = m.fixture->path("probe.sp");
    QVERIFY(dlg.saveFile(path));
    ks::gui::CSpecialProbeDlg opened(dialogmode::kOpen, m.desktop().link(), nullptr, path);
    opened.initialise();
    QVERIFY(opened.loadFile(path));
    for (int field : {pr::kText, pr::kT0, pr::kAngle, pr::kFrequency})
        QCOMPARE(textOf(opened, field), textOf(dlg, field));

    // Into SB of the meter's factory block; SA and the rest stay as the meter has them.
    m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
    QCOMPARE(dlg.runTransfer().status, ks::TransferOutcome::Status::Written);
    auto after = readDialog<ks::gui::CFactoryDlg>(m);
    QVERIFY(after);
    QCOMPARE(textOf(*after, F::kTextB), std::string("PRB-77"));
    QCOMPARE(textOf(*after, F::kT0B), std::string("2.5"));
    QCOMPARE(textOf(*after, F::kAngleB), std::string("45.50"));
    QCOMPARE(after->fields().find(F::kFrequencyB)->listIndex(), 4);
    for (int kept : {F::kTextA, F::kT0A, F::kAngleA, F::kGainMax, F::kCoefficient0 + 50})
        QCOMPARE(textOf(*after, kept), textOf(*before, kept));
}

void ServiceDlgTest::transferChooserPutsTheSlaveNumberBack() {
    // The program asks number 5; the new meter answers at 1, which the chooser uses.
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1", "--refuse-write", "3000"}, 5, 5), m.sim.error().c_str());
    ks::gui::installProgramDialogs(m.desktop().dialogs());
    ks::gui::CMainDlg main;

    struct Case {
        const char* what;
        bool factory;
        bool outputs;
        bool ok;
        std::string message; // "" for none
    };
    const Case cases[] = {
        {"all Non: nothing opened, OK", false, false, true, ""},
        {"factory alone: written at number 1", true, false, true, ""},
        {"refused outputs: not OK, the block named", true, true, false, "0x3000"},
    };
    for (const Case& c : cases) {
        m.prompts().messages.clear();
        CTransferChooserDlg dlg(m.desktop().link(), &main);
        dlg.initialise();
        QCOMPARE(comboOf(dlg, 6100)->currentText(), QString("Non"));
        dlg.choose(Item::kFactory, c.factory);
        dlg.choose(Item::kOutputs, c.outputs);
        const ks::CTransferChooser::Outcome outcome = dlg.runTransfer();
        QVERIFY2(outcome.ok == c.ok, c.what);
        QVERIFY2(jbusSetting(m) == 5, c.what);
        QVERIFY2(dlg.progressSteps() == 3, c.what);
        QVERIFY2(main.progressBar()->isHidden(), c.what);
        QVERIFY2(m.prompts().questions.empty(), c.what);
        if (c.message.empty()) {
            QVERIFY2(m.prompts().messages.empty(), c.what);
        } else {
            QVERIFY2(!m.prompts().messages.empty(), c.what);
            QVERIFY2(m.prompts().messages.back().text.find(c.message) != std::string::npos,
                     m.prompts().messages.back().text.c_str());
        }
        QVERIFY2(outcome.items[Item::kFactory].ok == c.factory, c.what);
    }

    // From the menu, all at "Non": the transfer button closes the chooser with OK.
    bool accepted = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY_WITH_TIMEOUT(
            qobject_cast<CTransferChooserDlg*>(QApplication::activeModalWidget()) != nullptr,
            10000);
        auto* chooser = qobject_cast<CTransferChooserDlg*>(QApplication::activeModalWidget());
        connect(chooser, &QDialog::accepted, [&] { accepted = true; });
        chooser->body()->button(CTransferChooserDlg::kTransferButton)->click();
        // A chooser the click did not close is closed here, so that the test goes on.
        QTimer::singleShot(0, [chooser = QPointer<CTransferChooserDlg>(chooser)] {
            if (chooser)
                chooser->reject();
        });
    });
    QVERIFY(main.runCommand("WM_USER_MENU_DIAL_INIT"));
    QVERIFY(accepted);
    QCOMPARE(jbusSetting(m), 5);
}

void ServiceDlgTest::mainWindowOpensEachKindAndSavesAll() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    ks::gui::installProgramDialogs(m.desktop().dialogs());
    ks::gui::CMainDlg main;

    // Save all: each dialog read from the meter and saved beside the name chosen.
    const std::string base = m.fixture->path("all");
    m.prompts().files = {base};
    main.saveAll();
    QVERIFY(m.prompts().messages.empty());

    struct Kind {
        std::string extension;
        std::function<std::unique_ptr<CParameterDlg>(int, const std::string&)> make;
        std::vector<int> blocks;
    };
    auto maker = [&]<class D>(D*) {
        return [&m](int mode, const std::string& path) -> std::unique_ptr<CParameterDlg> {
            return std::make_unique<D>(mode, m.desktop().link(), nullptr, path);
        };
    };
    const Kind saved[] = {
        {"eta",
         maker(static_cast<ks::gui::CSettingsSheetDlg*>(nullptr)),
         {blk::kMain, blk::kFactory}},
        {"rus", maker(static_cast<ks::gui::CFactoryDlg*>(nullptr)), {blk::kFactory}},
        {"sa", maker(static_cast<ks::gui::COutputAdjustmentDlg*>(nullptr)), {blk::kOutput}},
        {"rsp", maker(static_cast<ks::gui::CSpecialSettingsDlg*>(nullptr)), {blk::kSpecial}},
        {"dev", maker(static_cast<ks::gui::COemDlg*>(nullptr)), {blk::kOem, blk::kSpecial}},
    };
    for (const Kind& k : saved) {
        const std::string path = base + "." + k.extension;
        QVERIFY2(std::filesystem::exists(path), path.c_str());
        auto meter = k.make(dialogmode::kDialogue, {});
        meter->initialise();
        QCOMPARE(meter->readMeter(), 0);
        auto file = k.make(dialogmode::kOpen, path);
        file->initialise();
        QVERIFY2(file->loadFile(path), path.c_str());
        for (int block : k.blocks)
            QVERIFY2(file->encodeBlock(block) == meter->encodeBlock(block), path.c_str());
    }

    // Print all: the same dialogs one after the other, into numbered files.
    const std::string pdf = m.fixture->path("all.pdf");
    m.desktop().setPrintToFile(pdf);
    main.printAll();
    QVERIFY(m.prompts().messages.empty());
    for (const char* name : {"all.pdf", "all-2.pdf", "all-3.pdf", "all-4.pdf", "all-5.pdf"})
        QVERIFY2(std::filesystem::file_size(m.fixture->path(name)) > 0, name);
    QVERIFY(pdfText(m.fixture->path("all-2.pdf")).contains("Coef 50%"));
    QVERIFY(pdfText(m.fixture->path("all-3.pdf")).contains("Pts 20mA"));
    QVERIFY(pdfText(m.fixture->path("all-4.pdf")).contains("Type Appareil"));
    QVERIFY(pdfText(m.fixture->path("all-5.pdf")).contains("Ligne 1"));

    // Open: each kind of file in the dialog of its kind.
    {
        ks::gui::CSpecialProbeDlg probe(dialogmode::kNew, m.desktop().link());
        probe.initialise();
        QVERIFY(probe.saveFile(base + ".sp"));
        auto calibration = readDialog<ks::gui::CCalibrationDlg>(m);
        QVERIFY(calibration && calibration->saveFile(base + ".etaBio"));
        auto echo = readDialog<ks::gui::CEscDlg>(m);
        QVERIFY(echo && echo->saveFile(base + ".esc"));
    }
    const std::pair<std::string, std::function<bool(QWidget*)>> opened[] = {
        {"rus", [](QWidget* w) { return qobject_cast<ks::gui::CFactoryDlg*>(w) != nullptr; }},
        {"sa",
         [](QWidget* w) { return qobject_cast<ks::gui::COutputAdjustmentDlg*>(w) != nullptr; }},
        {"sp", [](QWidget* w) { return qobject_cast<ks::gui::CSpecialProbeDlg*>(w) != nullptr; }},
        {"rsp",
         [](QWidget* w) { return qobject_cast<ks::gui::CSpecialSettingsDlg*>(w) != nullptr; }},
        {"dev", [](QWidget* w) { return qobject_cast<ks::gui::COemDlg*>(w) != nullptr; }},
        {"eta", [](QWidget* w) { return qobject_cast<ks::gui::CSettingsSheetDlg*>(w) != nullptr; }},
        {"esc", [](QWidget* w) { return qobject_cast<ks::gui::CEscDlg*>(w) != nullptr; }},
    };
    for (const auto& [extension, isRight] : opened) {
        const std::string path = base + "." + extension;
        whileModal([&] { QVERIFY(main.openPath(path)); },
                   [&](QWidget* modal) {
                       QVERIFY2(isRight(modal), extension.c_str());
                       auto* dlg = qobject_cast<CParameterDlg*>(modal);
                       QTRY_COMPARE(dlg->sourceFile(), path);
                   });
    }
    // An extension no dialog has does nothing.
    QVERIFY(!main.openPath(base + ".xyz"));

    // With the simplified settings the calibration dialog stands for the sheet, and a file
    // it opened and accepted is put aside as ".sav".
    {
        ks::CProfileFile last(m.fixture->path("last.cfg"));
        QCOMPARE(last.writeString(ks::profile::kParamSimplifie, "Y"), 0);
        ks::StartupInputs in;
        in.home = m.fixture->home.path().toStdString();
        m.desktop().flowApp().startUp(in);
        QVERIFY(m.desktop().flowApp().simplifiedSettings());
    }
    const std::string calibration = base + ".etaBio";
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY_WITH_TIMEOUT(
            qobject_cast<ks::gui::CCalibrationDlg*>(QApplication::activeModalWidget()) != nullptr,
            10000);
        auto* dlg = qobject_cast<ks::gui::CCalibrationDlg*>(QApplication::activeModalWidget());
        QTRY_COMPARE(dlg->sourceFile(), calibration);
        dlg->accept();
    });
    QVERIFY(main.openPath(calibration));
    QVERIFY(!std::filesystem::exists(calibration));
    QVERIFY(std::filesystem::exists(base + ".sav"));
}

void ServiceDlgTest::menuCommandsOpenTheirDialogs() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    ks::gui::installProgramDialogs(m.desktop().dialogs());
    ks::gui::CMainDlg main;
    namespace menu = ks::menu;

    struct Case {
        std::string_view command;
        std::function<bool(QWidget*)> isRight;
        int mode;
    };
    auto is = []<class D>(D*) { return [](QWidget* w) { return qobject_cast<D*>(w) != nullptr; }; };
    const Case cases[] = {
        {menu::kNewRegUs, is(static_cast<ks::gui::CFactoryDlg*>(nullptr)), dialogmode::kNew},
        {menu::kDialRegUs, is(static_cast<ks::gui::CFactoryDlg*>(nullptr)), dialogmode::kDialogue},
        {menu::kNewRegKsn, is(static_cast<ks::gui::COutputAdjustmentDlg*>(nullptr)),
         dialogmode::kNew},
        {menu::kDialRegKsn, is(static_cast<ks::gui::COutputAdjustmentDlg*>(nullptr)),
         dialogmode::kDialogue},
        {menu::kNewSondeSpe, is(static_cast<ks::gui::CSpecialProbeDlg*>(nullptr)),
         dialogmode::kNew},
        {menu::kNewRegSpe, is(static_cast<ks::gui::CSpecialSettingsDlg*>(nullptr)),
         dialogmode::kNew},
        {menu::kDialRegSpe, is(static_cast<ks::gui::CSpecialSettingsDlg*>(nullptr)),
         dialogmode::kDialogue},
        {menu::kNewOem, is(static_cast<ks::gui::COemDlg*>(nullptr)), dialogmode::kNew},
        {menu::kDialOem, is(static_cast<ks::gui::COemDlg*>(nullptr)), dialogmode::kDialogue},
    };
    for (const Case& c : cases) {
        const std::string name(c.command);
        whileModal([&] { QVERIFY2(main.runCommand(c.command), name.c_str()); },
                   [&](QWidget* modal) {
                       QVERIFY2(c.isRight(modal), name.c_str());
                       QCOMPARE(qobject_cast<CDeviceDlg*>(modal)->mode(), c.mode);
                   });
    }
    QVERIFY(m.prompts().messages.empty());
}

// The echo tables read from a two-chord meter come back whole from their file, and print
// below the chords' values; the dialog offers no transfer.
void ServiceDlgTest::echoTablesKeepInAFileAndPrint() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "2"}), m.sim.error().c_str());
    auto meter = readDialog<ks::gui::CEscDlg>(m);
    QVERIFY(meter);
    QVERIFY(meter->grid(0).GetRows() > 1);
    QVERIFY(meter->grid(2).GetRows() > 1);
    QVERIFY(meter->body()->button(CParameterDlg::kTransferButton) == nullptr);

    const std::string path = m.fixture->path("tables.esc");
    QVERIFY(meter->saveFile(path));
    ks::gui::CEscDlg file(dialogmode::kOpen, m.desktop().link(), nullptr, path);
    file.initialise();
    QVERIFY(file.loadFile(path));
    for (int g = 0; g < 4; ++g) {
        QCOMPARE(file.grid(g).GetRows(), meter->grid(g).GetRows());
        for (int i = 0; i < 4 * meter->grid(g).GetRows(); ++i)
            QCOMPARE(file.grid(g).GetTextArray(i), meter->grid(g).GetTextArray(i));
    }

    const std::string pdf = m.fixture->path("tables.pdf");
    m.desktop().setPrintToFile(pdf);
    QCOMPARE(file.print(), 0);
    const QString printed = pdfText(pdf);
    QVERIFY2(printed.contains("Corde 2 - Inverse"), qPrintable(printed));
    QVERIFY2(printed.contains(meter->grid(0).GetTextArray(7)), qPrintable(printed));
}

QTEST_MAIN(ServiceDlgTest)
#include "ServiceDlgTest.moc"
