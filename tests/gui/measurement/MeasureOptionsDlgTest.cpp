// The measurement page of the options dialog and the macro choice dialog, offscreen.
#include "DesktopFixture.h"
#include "app/ProfileKeys.h"
#include "controls/CButtonKS.h"
#include "controls/CComboKS.h"
#include "controls/CTabHost.h"
#include "measurement/CMacroChoiceDlg.h"
#include "measurement/CMeasureOptionsDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using ks::gui::CMacroChoiceDlg;
using ks::gui::CMeasureOptionsDlg;
using Answer = ks::CUserPrompts::Answer;

namespace {

void choose(CMeasureOptionsDlg& dlg, int id, int listIndex) {
    auto* combo = qobject_cast<ks::gui::CComboKS*>(dlg.widgetsOf(id).value);
    QVERIFY(combo != nullptr);
    const int position = combo->choices().positionOf(listIndex);
    combo->setCurrentIndex(position);
    emit combo->activated(position);
}

QString shown(CMeasureOptionsDlg& dlg, int id) {
    auto* label = qobject_cast<QLabel*>(dlg.widgetsOf(id).value);
    return label != nullptr ? label->text() : QString("(no display)");
}

} // namespace

class MeasureOptionsDlgTest : public QObject {
    Q_OBJECT

private slots:
    void pageLoadsAndStoresItsKeys();
    void macroChoiceBrowsesAndKeepsThePathOnCancel();
};

void MeasureOptionsDlgTest::pageLoadsAndStoresItsKeys() {
    DesktopFixture f({{"Com/Application", "1.000000"},
                      {"Com/Min Graph", "7.000000"}, // out of the list: its default
                      {"Com/Path Macro Test", "/m/essai.xls"}});
    const ks::CProfileFile cfg(f.path("default.CalyptronKS"));
    CMeasureOptionsDlg dlg(f.desktop.link());
    dlg.initialise();
    const ks::CFieldList& fields = dlg.fields();
    QCOMPARE(fields.find(CMeasureOptionsDlg::kApplication)->listIndex(), 1);
    QCOMPARE(fields.find(CMeasureOptionsDlg::kGraphMin)->listIndex(), 0);
    QCOMPARE(fields.find(CMeasureOptionsDlg::kGraphMax)->listIndex(), 2);
    QCOMPARE(shown(dlg, CMeasureOptionsDlg::kMacroTest), QString("/m/essai.xls"));
    QCOMPARE(shown(dlg, CMeasureOptionsDlg::kPathTest), QString());
    QVERIFY(!dlg.isModified());

    // Browse: a cancelled file dialog keeps the path; a chosen one replaces it.
    dlg.pageButton(CMeasureOptionsDlg::kBrowseMacro)->click();
    QCOMPARE(f.prompts.fileRequests.back().filter, std::string("Macro (*.xls)"));
    QCOMPARE(f.prompts.fileRequests.back().folder, std::string("/m/essai.xls"));
    QCOMPARE(shown(dlg, CMeasureOptionsDlg::kMacroTest), QString("/m/essai.xls"));
    f.prompts.files = {"/tests/"};
    dlg.pageButton(CMeasureOptionsDlg::kBrowseFolder)->click();
    QCOMPARE(shown(dlg, CMeasureOptionsDlg::kPathTest), QString("/tests/"));
    dlg.pageButton(CMeasureOptionsDlg::kClearMacro)->click();
    QCOMPARE(shown(dlg, CMeasureOptionsDlg::kMacroTest), QString());
    choose(dlg, CMeasureOptionsDlg::kApplication, 0);
    choose(dlg, CMeasureOptionsDlg::kGraphMin, 1);
    choose(dlg, CMeasureOptionsDlg::kGraphMax, 1);
    QVERIFY(dlg.isModified());

    f.prompts.answers = {Answer::Yes};
    dlg.closeDialog();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    namespace key = ks::profile;
    const struct {
        const ks::profile::Setting& setting;
        const char* stored;
    } expected[] = {
        {key::kApplication, "0.000000"}, {key::kMinGraph, "1.000000"}, {key::kMaxGraph, "1.000000"},
        {key::kPathMacroTest, ""},       {key::kPathTest, "/tests/"},
    };
    for (const auto& e : expected)
        QCOMPARE(cfg.readString(e.setting.section, e.setting.key, "(absent)"),
                 std::string(e.stored));
    // The clear above wrote an empty text, not nothing.
    QVERIFY(cfg.readString("Com", "Path Macro Test", "(absent)").empty());
}

void MeasureOptionsDlgTest::macroChoiceBrowsesAndKeepsThePathOnCancel() {
    DesktopFixture f;
    CMacroChoiceDlg dlg(QStringLiteral("C:\\"));
    QCOMPARE(dlg.windowTitle(), QString("Choix de la macro"));
    QVERIFY(dlg.findChild<QLabel*>()->text().startsWith("Choisir la macro\nValider pour"));
    dlg.browse(); // cancelled
    QCOMPARE(dlg.macroPath(), QString("C:\\"));
    f.prompts.files = {"/macros/rapport.xls"};
    dlg.button(CMacroChoiceDlg::kBrowse)->click();
    QCOMPARE(dlg.macroPath(), QString("/macros/rapport.xls"));
    QCOMPARE(f.prompts.fileRequests.back().filter, std::string("Macro (*.xls)"));
    dlg.button(CMacroChoiceDlg::kCancel)->click();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

QTEST_MAIN(MeasureOptionsDlgTest)
#include "MeasureOptionsDlgTest.moc"
