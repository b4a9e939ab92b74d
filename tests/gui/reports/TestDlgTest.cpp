// The test dialog and the echo table dialog on calyptron-sim, offscreen.
#include "MeterFixture.h"
#include "controls/CButtonKS.h"
#include "framework/BusyWnd.h"
#include "reports/CTestDlg.h"
#include "reports/TestFields.h"
#include "settings/CEscDlg.h"
#include "settings/EchoTable.h"
#include "shell/DialogModes.h"
#include "support/ReadOnlyFolder.h"
#include "support/RunProgram.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QtTest>

using ks::gui::CEscDlg;
using ks::gui::CTestDlg;
namespace tid = ks::test::id;

namespace {

QString valueText(const ks::gui::CDeviceDlg& dlg, int fieldId) {
    const ks::gui::FieldWidgets w = dlg.widgetsOf(fieldId);
    if (auto* label = qobject_cast<QLabel*>(w.value))
        return label->text();
    return {};
}

bool groupVisible(const ks::gui::CDeviceDlg& dlg, int fieldId) {
    const QGroupBox* box = dlg.widgetsOf(fieldId).group;
    return box != nullptr && box->isVisible();
}

ks::TestReportRequest requestInto(const std::string& folder) {
    ks::TestReportRequest r;
    r.folder = folder;
    return r;
}

} // namespace

class TestDlgTest : public QObject {
    Q_OBJECT

private slots:
    void testWritesTheReportOfBothChannels();
    void unwritableFolderShowsTheMessage();
    void cancelEndsTheTestWithoutAReport();
    void echoGridsOfAOneChordMeter();
};

void TestDlgTest::testWritesTheReportOfBothChannels() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "2", "--quality-after", "0"}), m.sim.error().c_str());
    ks::test::TempFolder out;
    CTestDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.setReportRequest(requestInto(out.path()));
    dlg.setPeriodMs(20);
    dlg.show();
    QTRY_COMPARE_WITH_TIMEOUT(valueText(dlg, tid::kSerialText), QString("07/03/00001"), 15000);
    QCOMPARE(valueText(dlg, tid::kBoard), QString("Board B"));
    QCOMPARE(valueText(dlg, tid::kBoardSerialText), QString("07/03/00001"));
    QCOMPARE(valueText(dlg, tid::kOutput1At20mA), QString("60500"));
    QVERIFY(groupVisible(dlg, tid::kGroupChannel2));

    const ks::CTestLoop::Result r = dlg.runTest();
    QCOMPARE(static_cast<int>(r.outcome), static_cast<int>(ks::CTestLoop::Outcome::Done));
    QVERIFY(r.qualityReached);
    QCOMPARE(dlg.lastReport().status, 0);
    const QString path = QString::fromStdString(dlg.lastReport().path);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QCOMPARE(QDir(QString::fromStdString(out.path())).entryList(QDir::Files).size(), 1);
    QVERIFY(m.prompts().messages.empty());
    QCOMPARE(valueText(dlg, tid::kQuality1), QString("100"));
    QCOMPARE(valueText(dlg, ks::echo::id::kPolarity2), QString("Normal"));
    QCOMPARE(dlg.findChild<QLabel*>("testStatus")->text(), path);
}

void TestDlgTest::unwritableFolderShowsTheMessage() {
    ks::test::ReadOnlyFolder locked;
    if (!locked.ready())
        QSKIP(locked.why().c_str());
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1", "--quality-after", "0"}), m.sim.error().c_str());
    CTestDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.setReportRequest(requestInto(locked.path()));
    dlg.setPeriodMs(20);
    dlg.show();
    QTRY_COMPARE_WITH_TIMEOUT(valueText(dlg, tid::kSerialText), QString("07/03/00001"), 15000);
    QVERIFY(!groupVisible(dlg, tid::kGroupChannel2));
    dlg.runTest();
    QCOMPARE(dlg.lastReport().status, -1);
    QCOMPARE(m.prompts().messages.size(), std::size_t(1));
    const std::string& text = m.prompts().messages[0].text;
    QVERIFY2(text.rfind("Impossible d'ouvrir le fichier : " + locked.path() + "/TstKsn_", 0) == 0,
             text.c_str());
    QVERIFY(QDir(QString::fromStdString(locked.path())).entryList(QDir::Files).isEmpty());
}

// The quality never reaches 100: the bar moves a step a second until Cancel, which ends the
// test at once, with no message and no report.
void TestDlgTest::cancelEndsTheTestWithoutAReport() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    ks::test::TempFolder out;
    CTestDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.setReportRequest(requestInto(out.path()));
    dlg.setPeriodMs(100);
    dlg.show();
    QTRY_COMPARE_WITH_TIMEOUT(valueText(dlg, tid::kSerialText), QString("07/03/00001"), 15000);
    int barAtCancel = -1;
    QElapsedTimer clock;
    QTimer::singleShot(2500, &dlg, [&] {
        ks::gui::CBusyWnd* busy = dlg.busyWindow();
        QVERIFY(busy != nullptr);
        barAtCancel = busy->progressBar()->value();
        clock.start();
        busy->button(ks::gui::CBusyWnd::kExitControl)->click();
    });
    const ks::CTestLoop::Result r = dlg.runTest();
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(static_cast<int>(r.outcome), static_cast<int>(ks::CTestLoop::Outcome::Cancelled));
    QVERIFY2(barAtCancel >= 1 && barAtCancel <= 3, qPrintable(QString::number(barAtCancel)));
    QVERIFY(m.prompts().messages.empty());
    QVERIFY(dlg.lastReport().path.empty());
    QVERIFY(QDir(QString::fromStdString(out.path())).entryList(QDir::Files).isEmpty());
}

void TestDlgTest::echoGridsOfAOneChordMeter() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    CEscDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    QTRY_COMPARE_WITH_TIMEOUT(dlg.grid(0).GetRows(), 5, 15000);
    QCOMPARE(dlg.grid(0).GetTextArray(0), QString("Normal"));
    QCOMPARE(dlg.grid(0).GetTextArray(1), QString("Nombre"));
    QCOMPARE(dlg.grid(0).GetTextArray(4), QString("1"));
    QCOMPARE(dlg.grid(0).GetTextArray(5), QString("8"));
    QCOMPARE(dlg.grid(1).GetRows(), 3);
    QCOMPARE(dlg.grid(1).GetTextArray(0), QString("Inverse"));
    // The second chord's grids keep only an empty title row.
    for (int g : {2, 3}) {
        QCOMPARE(dlg.grid(g).GetRows(), 1);
        QCOMPARE(dlg.grid(g).GetTextArray(0), QString());
    }
    QCOMPARE(valueText(dlg, ks::echo::id::kMargin1), QString("12"));
}

QTEST_MAIN(TestDlgTest)
#include "TestDlgTest.moc"
