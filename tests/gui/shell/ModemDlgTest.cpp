// The modem dialog against calyptron-sim --modem, offscreen: a busy line, and a live
// measurement through a dialled call that is hung up afterwards.
#include "shell/ModemDlg.h"
#include "MeterFixture.h"
#include "measurement/CMeasureDlg.h"
#include "measurement/MeasureIds.h"
#include "shell/DialogModes.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>

using ks::gui::CModemDlg;

namespace {

void useModem(MeterFixture& m, const std::string& number) {
    const ks::CProfileFile& cfg = m.desktop().flowApp().configuration();
    cfg.writeString("Modem", "Use modem", "0");
    cfg.writeString("Modem", "Telefon number", number);
    m.desktop().flowApp().refreshModemFlag();
    ks::gui::installProgramDialogs(m.desktop().dialogs());
}

} // namespace

class ModemDlgTest : public QObject {
    Q_OBJECT

private slots:
    void busyLineEndsWithItsMessage();
    void measuresThroughTheCallAndHangsUp();
    void lostCarrierIsReportedOnceAndANewDialGoesOn();
};

void ModemDlgTest::busyLineEndsWithItsMessage() {
    MeterFixture m;
    QVERIFY2(m.start({"--modem", "--modem-delay", "100"}), m.sim.error().c_str());
    useModem(m, "0123busy");
    CModemDlg dlg(CModemDlg::Mode::Connect, m.desktop().link());
    dlg.show();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 15000);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!dlg.timerRunning());
    QCOMPARE(m.prompts().messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(m.prompts().messages[0].text),
             QString::fromUtf8("Ligne occupée !\nLa connexion a échoué !"));
    QVERIFY(dlg.statusText().contains("BUSY"));
}

void ModemDlgTest::measuresThroughTheCallAndHangsUp() {
    MeterFixture m;
    QVERIFY2(m.start({"--modem", "--modem-delay", "300"}), m.sim.error().c_str());
    useModem(m, "0123&45");
    {
        // The first open of the link dials with the modem dialog.
        ks::gui::CMeasureDlg measure(ks::dialogmode::kDialogue, m.desktop().link());
        bool sawNumber = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<CModemDlg*>(w); d != nullptr && d->isVisible())
                    sawNumber = sawNumber || d->statusText().contains("ATDT0123&&45");
        });
        watch.start(50);
        measure.show();
        QTRY_VERIFY_WITH_TIMEOUT(
            m.desktop().flowApp().modemConnected() || !m.prompts().messages.empty(), 20000);
        for (const auto& msg : m.prompts().messages)
            qWarning("message: %s", msg.text.c_str());
        QVERIFY(m.desktop().flowApp().modemConnected());
        QTRY_VERIFY_WITH_TIMEOUT(measure.widgetsOf(ks::measure::id::kFlow).value != nullptr &&
                                     measure.widgetsOf(ks::measure::id::kFlow).value->isVisible(),
                                 20000);
        QVERIFY(sawNumber);
        measure.reject();
    }
    CModemDlg hangUp(CModemDlg::Mode::Disconnect, m.desktop().link());
    hangUp.show();
    QTRY_VERIFY_WITH_TIMEOUT(!hangUp.isVisible(), 30000);
    QCOMPARE(hangUp.result(), int(QDialog::Accepted));
    QVERIFY(hangUp.statusText().contains("AT H0"));
    QVERIFY(m.prompts().messages.empty());
}

namespace {

bool flowShown(ks::gui::CMeasureDlg& measure) {
    QWidget* value = measure.widgetsOf(ks::measure::id::kFlow).value;
    return value != nullptr && value->isVisible();
}

int communication(ks::gui::CMeasureDlg& measure) {
    return static_cast<int>(measure.fields().find(ks::measure::id::kCommunicationStatus)->number());
}

} // namespace

void ModemDlgTest::lostCarrierIsReportedOnceAndANewDialGoesOn() {
    MeterFixture m;
    QVERIFY2(m.start({"--modem", "--modem-delay", "300", "--modem-drop", "10"}),
             m.sim.error().c_str());
    useModem(m, "0123");
    {
        ks::gui::CMeasureDlg measure(ks::dialogmode::kDialogue, m.desktop().link());
        measure.show();
        QTRY_VERIFY_WITH_TIMEOUT(flowShown(measure), 20000);
        QCOMPARE(communication(measure), 0);
        // The carrier goes: the dialog says so in its status line, with no box per poll.
        QTRY_COMPARE_WITH_TIMEOUT(communication(measure), 2, 20000);
        QTest::qWait(2000);
        QCOMPARE(communication(measure), 2);
        QVERIFY(m.prompts().messages.empty());
        QElapsedTimer closing;
        closing.start();
        measure.reject();
        QVERIFY(closing.elapsed() < 8000);
    }
    // The call is gone: the program gives it up and dials again.
    m.desktop().flowApp().setModemConnected(false);
    CModemDlg dial(CModemDlg::Mode::Connect, m.desktop().link());
    dial.show();
    QTRY_VERIFY_WITH_TIMEOUT(!dial.isVisible(), 20000);
    QCOMPARE(dial.result(), int(QDialog::Accepted));
    m.desktop().flowApp().setModemConnected(true);
    ks::gui::CMeasureDlg again(ks::dialogmode::kDialogue, m.desktop().link());
    again.show();
    QTRY_VERIFY_WITH_TIMEOUT(flowShown(again), 20000);
    QCOMPARE(communication(again), 0);
    again.reject();
}

QTEST_MAIN(ModemDlgTest)
#include "ModemDlgTest.moc"
