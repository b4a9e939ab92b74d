// The measurement dialog on calyptron-sim, offscreen.
#include "MeterFixture.h"
#include "controls/CButtonKS.h"
#include "measurement/CEscView.h"
#include "measurement/CMeasureDlg.h"
#include "measurement/MeasureIds.h"
#include "measurement/graph/CGraphWnd.h"
#include "shell/DialogModes.h"

#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using ks::gui::CMeasureDlg;
namespace id = ks::measure::id;

namespace {

// The text a line's value widget shows.
QString valueText(const CMeasureDlg& dlg, int fieldId) {
    const ks::gui::FieldWidgets w = dlg.widgetsOf(fieldId);
    if (auto* label = qobject_cast<QLabel*>(w.value))
        return label->text();
    return {};
}

QString unitText(const CMeasureDlg& dlg, int fieldId) {
    const QLabel* unit = dlg.widgetsOf(fieldId).unit;
    return unit != nullptr ? unit->text() : QString("(no unit widget)");
}

QString labelText(const CMeasureDlg& dlg, int fieldId) {
    const QLabel* label = dlg.widgetsOf(fieldId).label;
    return label != nullptr ? label->text() : QString("(no label widget)");
}

QString groupTitle(const CMeasureDlg& dlg, int fieldId) {
    const QGroupBox* box = dlg.widgetsOf(fieldId).group;
    return box != nullptr ? box->title() : QString("(no group box)");
}

bool lineVisible(const CMeasureDlg& dlg, int fieldId) {
    const ks::gui::FieldWidgets w = dlg.widgetsOf(fieldId);
    QWidget* widget = w.group != nullptr ? static_cast<QWidget*>(w.group) : w.value;
    return widget != nullptr && widget->isVisible();
}

} // namespace

class MeasureDlgTest : public QObject {
    Q_OBJECT

private slots:
    void oneChordMeterShowsLiveValues();
    void twoPipeMeterRetitlesAndFeedsBothEscViews();
    void meterThatDoesNotAnswerClosesTheDialog();
    void lostPortIsToldOnceAndReadingGoesOn();
};

void MeasureDlgTest::oneChordMeterShowsLiveValues() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "1"}), m.sim.error().c_str());
    CMeasureDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    // Hidden until the first measurement block.
    QVERIFY(!lineVisible(dlg, id::kFlow));
    QVERIFY(!dlg.graph()->isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(lineVisible(dlg, id::kFlow), 15000);
    QVERIFY(dlg.graph()->isVisible());
    QVERIFY(lineVisible(dlg, id::kChord1Group));
    QVERIFY(!lineVisible(dlg, id::kChord2Group));
    QVERIFY(!lineVisible(dlg, id::kFlowQ2));
    QVERIFY(!lineVisible(dlg, id::kKh2));
    QCOMPARE(valueText(dlg, id::kSerialNumber), QString("07/03/00001"));
    QCOMPARE(unitText(dlg, id::kFlow), QString("m3/h"));
    QCOMPARE(labelText(dlg, id::kMargin1), QString("(E.S.C) Marge"));
    QVERIFY(dlg.body()->button(id::kEscButton)->isVisible());
    QVERIFY(dlg.escView(1) != nullptr);
    QVERIFY(dlg.escView(2) == nullptr);

    // The meter's delta-T and clock move from one block to the next.
    const QString deltaT = valueText(dlg, id::kDeltaT1);
    const QString clock = valueText(dlg, id::kMeterClock);
    QTRY_VERIFY_WITH_TIMEOUT(valueText(dlg, id::kDeltaT1) != deltaT, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(valueText(dlg, id::kMeterClock) != clock, 10000);
    const ks::SeriesStats points = dlg.graph()->field().curveStats();
    QVERIFY(points.count >= 2);
    QVERIFY(points.mean > 0);
    QCOMPARE(dlg.graph()->field().unit(), std::string("m3/h"));

    // The ESC views button shows view 1 and puts the dialog to its right.
    QVERIFY(!dlg.escView(1)->isVisible());
    dlg.body()->button(id::kEscButton)->click();
    QVERIFY(dlg.escView(1)->isVisible());
    QCOMPARE(dlg.escView(1)->windowTitle(), QString("Corde 1"));
    // To the right of view 1, as far as the screen's work area lets it.
    const QRect area = dlg.screen()->availableGeometry();
    const int beside = dlg.escView(1)->frameGeometry().right() + 1;
    if (beside + dlg.frameGeometry().width() <= area.right() + 1)
        QTRY_COMPARE(dlg.x(), beside);
    else
        QTRY_COMPARE(dlg.frameGeometry().right(), area.right());
    QCOMPARE(dlg.y(), area.top());

    // Printing prints the dialog, then the ESC view that is shown.
    QTemporaryDir out;
    m.desktop().setPrintToFile(out.filePath("measure.pdf").toStdString());
    QVERIFY(dlg.body()->button(id::kPrintButton)->isVisible());
    dlg.body()->button(id::kPrintButton)->click();
    QVERIFY(QFileInfo(out.filePath("measure.pdf")).size() > 0);
    QVERIFY(QFileInfo(out.filePath("measure-2.pdf")).size() > 0);
    QVERIFY(!QFileInfo::exists(out.filePath("measure-3.pdf")));

    dlg.body()->button(id::kEscButton)->click();
    QVERIFY(!dlg.escView(1)->isVisible());
    // A hidden view is not printed.
    dlg.body()->button(id::kPrintButton)->click();
    QVERIFY(QFileInfo::exists(out.filePath("measure-3.pdf")));
    QVERIFY(!QFileInfo::exists(out.filePath("measure-4.pdf")));

    dlg.done(QDialog::Accepted);
    QVERIFY(!dlg.isPolling());
}

void MeasureDlgTest::twoPipeMeterRetitlesAndFeedsBothEscViews() {
    MeterFixture m;
    QVERIFY2(m.start({"--app", "3", "--faults", "4"}), m.sim.error().c_str());
    CMeasureDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    QTRY_VERIFY_WITH_TIMEOUT(lineVisible(dlg, id::kFlowQT), 15000);
    QVERIFY(!lineVisible(dlg, id::kFlow));
    QVERIFY(lineVisible(dlg, id::kFlowQ2));
    QVERIFY(lineVisible(dlg, id::kChord2Group));
    QCOMPARE(groupTitle(dlg, id::kChord1Group), QString("Conduite 1"));
    QCOMPARE(groupTitle(dlg, id::kChord2Group), QString("Conduite 2"));
    QCOMPARE(labelText(dlg, id::kTotaliser1), QString("Tot. 1 (QT +/-)"));
    QCOMPARE(valueText(dlg, id::kFaultLine), QString("Défaut V2"));

    QTRY_VERIFY(dlg.escView(2) != nullptr);
    QCOMPARE(dlg.escView(2)->windowTitle(), QString("Conduite 2"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg.escView(2)->transitGraph()->field().curveStats().count >= 2,
                             10000);
    dlg.body()->button(id::kEscButton)->click();
    QVERIFY(dlg.escView(1)->isVisible());
    QVERIFY(dlg.escView(2)->isVisible());
    const QRect area = dlg.screen()->availableGeometry();
    const int below = dlg.escView(1)->frameGeometry().bottom() + 1;
    if (below + dlg.escView(2)->frameGeometry().height() <= area.bottom() + 1)
        QTRY_COMPARE(dlg.escView(2)->y(), below);
    else
        QTRY_COMPARE(dlg.escView(2)->frameGeometry().bottom(), area.bottom());
    dlg.done(QDialog::Accepted);
}

void MeasureDlgTest::meterThatDoesNotAnswerClosesTheDialog() {
    MeterFixture m;
    // The configuration asks slave 2; the meter is slave 1.
    QVERIFY2(m.start({}, 5, 2), m.sim.error().c_str());
    CMeasureDlg dlg(ks::dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 15000);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!dlg.isPolling());
    QCOMPARE(m.prompts().messages.size(), std::size_t(1));
    QCOMPARE(m.prompts().messages[0].text,
             std::string("Connexion impossible ! L'appareil ne répond pas !"));
}

void MeasureDlgTest::lostPortIsToldOnceAndReadingGoesOn() {
    // The simulated meter on a fixed path, so that it can die and come back there.
    QTemporaryDir dir;
    const std::string path = dir.filePath("meter").toStdString();
    ks::test::SimProcess sim;
    QVERIFY2(sim.start({"--link", path}), sim.error().c_str());
    DesktopFixture f({{"Ports/9", path}, {"Com/Port", "8"}, {"Com/Bauds", "5"}, {"Com/JBus", "1"}});
    f.desktop.refreshPortTable();
    CMeasureDlg dlg(ks::dialogmode::kDialogue, f.desktop.link());
    dlg.show();
    QTRY_VERIFY_WITH_TIMEOUT(lineVisible(dlg, id::kFlow), 15000);

    ::kill(sim.pid(), SIGKILL);
    sim.stop();
    ::unlink(path.c_str()); // it would point at a terminal number another test may get
    QTRY_COMPARE_WITH_TIMEOUT(dlg.portLossReports(), 1, 10000);
    QVERIFY(dlg.portLostBox() != nullptr);
    QVERIFY(dlg.portLostBox()->isVisible());
    auto* box = qobject_cast<QMessageBox*>(dlg.portLostBox());
    QVERIFY(box != nullptr);
    QCOMPARE(box->text(), QString("Port série perdu : en attente de son retour..."));
    QVERIFY2(!box->isModal(), "the window stays usable");
    QVERIFY(dlg.isVisible());
    // No message box per failed poll.
    QCOMPARE(f.prompts.messages.size(), std::size_t(0));

    // While it is away the dialog keeps trying without telling again.
    QTest::qWait(1500);
    QCOMPARE(dlg.portLossReports(), 1);

    QVERIFY2(sim.start({"--link", path}), sim.error().c_str());
    QTRY_VERIFY_WITH_TIMEOUT(dlg.portLostBox() == nullptr, 15000);
    const QString clock = valueText(dlg, id::kMeterClock);
    QTRY_VERIFY_WITH_TIMEOUT(valueText(dlg, id::kMeterClock) != clock, 10000);
    QCOMPARE(dlg.portLossReports(), 1);
    dlg.done(QDialog::Accepted);
}

QTEST_MAIN(MeasureDlgTest)
#include "MeasureDlgTest.moc"
