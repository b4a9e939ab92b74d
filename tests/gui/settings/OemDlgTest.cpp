// The special settings and OEM dialogs against calyptron-sim over a pseudo-terminal,
// offscreen: what they read, the OEM lists that offer only what block 0x4000 enables, and a
// transfer that reaches the meter.
#include "settings/OemDlg.h"
#include "DialogDriving.h"
#include "controls/CComboKS.h"
#include "controls/CEditKS.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"
#include "settings/SpecialSettingsDlg.h"
#include "shell/DialogModes.h"

#include <QtTest>

using ks::gui::CComboKS;
using ks::gui::CDeviceDlg;
using ks::gui::COemDlg;
using ks::gui::CSpecialSettingsDlg;
namespace S = ks::settings::special;
namespace oem = ks::settings::oem;
namespace blk = ks::settings::block;
namespace dialogmode = ks::dialogmode;

namespace {

QStringList offered(CDeviceDlg& dlg, int fieldId) {
    QStringList items;
    if (CComboKS* combo = comboOf(dlg, fieldId))
        for (int k = 0; k < combo->count(); ++k)
            items << combo->itemText(k);
    return items;
}

int modelField(int model) {
    return model <= 8 ? S::kModel1 + 10 * (model - 1) : S::kModel9 + 10 * (model - 9);
}

} // namespace

class OemDlgTest : public QObject {
    Q_OBJECT

private slots:
    void bothDialogsReadTheMeter();
    void oemListsOfferOnlyWhatIsEnabled();
};

void OemDlgTest::bothDialogsReadTheMeter() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());

    auto special = readDialog<CSpecialSettingsDlg>(m);
    QVERIFY(special);
    QCOMPARE(special->windowTitle(), QString("Réglage Spécial"));
    QCOMPARE(special->fileExtension(), QString("rsp"));
    // The simulated meter enables model 1 alone and carries no OEM flag.
    QCOMPARE(comboOf(*special, modelField(1))->currentText(), QString("Oui"));
    QCOMPARE(comboOf(*special, modelField(2))->currentText(), QString("Non"));
    QCOMPARE(special->fields().find(S::kOem)->listIndex(), 0);
    QVERIFY(!textOf(*special, S::kFirmware).empty());
    QVERIFY(!textOf(*special, S::kSerialNumber).empty());

    auto dev = readDialog<COemDlg>(m);
    QVERIFY(dev);
    QCOMPARE(dev->windowTitle(), QString("OEM"));
    QCOMPARE(dev->fileExtension(), QString("dev"));
    QCOMPARE(QString::fromStdString(textOf(*dev, oem::kLine1)).trimmed(), QString("CALYPTRON"));
    QVERIFY(!textOf(*dev, oem::kFirmware).empty());
    // The special settings block travels unshown with the OEM dialog.
    QVERIFY(dev->widgetsOf(S::kModel).value == nullptr);
    QCOMPARE(dev->encodeBlock(blk::kSpecial), special->encodeBlock(blk::kSpecial));
}

void OemDlgTest::oemListsOfferOnlyWhatIsEnabled() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());

    struct Case {
        const char* what;
        std::vector<int> models;       // enabled, 1 .. 10
        std::vector<int> applications; // enabled, 1 .. 3
        QStringList models_offered;
        QStringList pairs_offered;
        int pick; // model index picked in the full list, or -1
    };
    const Case cases[] = {
        {"models 1 and 3, one chord", {1, 3}, {1}, {"M01", "M03"}, {"Monocorde"}, 2},
        {"models 9 and 10, two chords and two pipes",
         {9, 10},
         {2, 3},
         {"M09", "M10"},
         {"Bicorde", "Biconduite"},
         9},
        {"nothing enabled", {}, {}, {}, {}, -1},
    };
    for (const Case& c : cases) {
        auto special = readDialog<CSpecialSettingsDlg>(m);
        QVERIFY2(special, c.what);
        for (int model = 1; model <= 10; ++model)
            choose(*special, modelField(model),
                   std::count(c.models.begin(), c.models.end(), model) ? 1 : 0);
        for (int a = 1; a <= 3; ++a)
            choose(*special, S::kMonochord + 10 * (a - 1),
                   std::count(c.applications.begin(), c.applications.end(), a) ? 1 : 0);
        // Answered No the meter keeps its block; answered Yes it takes it.
        m.prompts().answers = {ks::CUserPrompts::Answer::No};
        QCOMPARE(special->runTransfer().status, ks::TransferOutcome::Status::Declined);
        m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
        const ks::TransferOutcome out = special->runTransfer();
        QVERIFY2(out.status == ks::TransferOutcome::Status::Written, c.what);
        QCOMPARE(out.written, std::vector<int>{blk::kSpecial});
        QVERIFY2(m.prompts().messages.empty(), c.what);
        auto back = readDialog<CSpecialSettingsDlg>(m);
        QVERIFY2(back, c.what);
        QCOMPARE(back->encodeBlock(blk::kSpecial), special->encodeBlock(blk::kSpecial));

        auto dev = readDialog<COemDlg>(m);
        QVERIFY2(dev, c.what);
        QCOMPARE(offered(*dev, oem::kModel), c.models_offered);
        QCOMPARE(offered(*dev, oem::kMaxPair), c.pairs_offered);
        if (c.pick < 0)
            continue;
        // The byte stored is the model's place among all ten, not among those offered.
        choose(*dev, oem::kModel, c.pick);
        QCOMPARE(int(dev->encodeBlock(blk::kOem)[16]), c.pick);
        m.prompts().answers = {ks::CUserPrompts::Answer::Yes};
        QCOMPARE(dev->runTransfer().written, std::vector<int>{blk::kOem});
        auto devBack = readDialog<COemDlg>(m);
        QVERIFY2(devBack, c.what);
        QCOMPARE(devBack->fields().find(oem::kModel)->listIndex(), c.pick);
        QCOMPARE(offered(*devBack, oem::kModel), c.models_offered);
    }
}

QTEST_MAIN(OemDlgTest)
#include "OemDlgTest.moc"
