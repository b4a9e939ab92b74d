#include "framework/CyclicDeviceDlg.h"
#include "MeterFixture.h"
#include "app/KsEvent.h"
#include "controls/CButtonKS.h"
#include "framework/IdentificationFields.h"
#include "shell/DialogModes.h"

#include <QtTest>

#include <map>

using ks::FieldKind;
using ks::gui::CCyclicDeviceDlg;
namespace tpl = ks::gui::tpl;
namespace dialogmode = ks::dialogmode;

namespace {

constexpr int kMeasurementBlock = 0x0010;
constexpr int kStatus = 1500;
constexpr int kFlow = 1510;

// A measurement-like dialog: counts the frames it handles and, on the first one, gets a
// second notification while it is still busy with the first (as a nested event loop would
// deliver it).
class CPollingDlg : public CCyclicDeviceDlg {
public:
    CPollingDlg(int mode, ks::CJBusLink& link) : CCyclicDeviceDlg(126, mode, link) {
        fields().add({.id = kStatus, .kind = FieldKind::kDisplay, .value = "0", .format = "%0.f"});
        fields().add({.id = kFlow,
                      .label = 102,
                      .kind = FieldKind::kDisplay,
                      .value = "0",
                      .format = "%0.f",
                      .type = 0x0200,
                      .offset = 0,
                      .block = 0x1100});
        setCommunicationStatusField(kStatus);
        setBodyTemplate({tpl::field(kStatus), tpl::field(kFlow), tpl::button(kPrintButton, 181),
                         tpl::button(kRecordButton, 108), tpl::button(ks::kFirstPageControl, 0),
                         tpl::button(ks::kPreviousPageControl, 0),
                         tpl::button(ks::kNextPageControl, 0),
                         tpl::button(ks::kLastPageControl, 0)});
    }

    int frames = 0;
    int results = 0;
    int recordSteps = 0;
    bool nestOnFirst = false;
    int answer = 0; // what the frame hook says

    ks::gui::CButtonKS* button(int id) const { return body()->button(id); }
    void sendNewFrame() {
        ks::gui::CKsEvent e(newFrameEventType());
        QCoreApplication::sendEvent(this, &e);
    }

protected:
    void onInitDialog() override {
        button(kPrintButton)->hide();
        button(kRecordButton)->hide();
    }
    int frameHook() override {
        ++frames;
        if (polledRequest().result == 0 && !polledRequest().data.empty())
            ++results;
        if (nestOnFirst && frames == 1)
            sendNewFrame();
        return answer;
    }
    void recordStep() override { ++recordSteps; }
};

// Samples of one block each; record 1 cannot be read when broken is set.
class CSamples : public ks::CRecordSource {
public:
    std::vector<int> values{100, 200, 300};
    bool broken = false;
    int recordCount() const override { return static_cast<int>(values.size()); }
    int readRecord(int index, ks::Bytes& out) override {
        if (index < 0 || index >= recordCount() || (broken && index == 1))
            return -1;
        const int v = values[static_cast<std::size_t>(index)];
        out = {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v & 0xFF)};
        return 0;
    }
};

} // namespace

class CyclicDeviceDlgTest : public QObject {
    Q_OBJECT

private slots:
    void pollsTheMeterAndAcknowledgesEachFrame();
    void firmwareThatDoesNotFitStopsEverything();
    void frameResultsSetTheCommunicationStatus();
    void pageButtonsWalkThroughARecording();
};

void CyclicDeviceDlgTest::pollsTheMeterAndAcknowledgesEachFrame() {
    MeterFixture m;
    QVERIFY2(m.start({}), m.sim.error().c_str());
    CPollingDlg dlg(dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    QCOMPARE(dlg.startCyclicReading(1, 3, kMeasurementBlock, 2, 20, 2), 0);
    QVERIFY(dlg.isPolling());
    // The identification was read into the dialog's fields first.
    QCOMPARE(dlg.fields().find(ks::identcontrol::kSlave)->text(), std::string("1"));
    // Each frame is acknowledged, so the worker keeps polling.
    QTRY_VERIFY_WITH_TIMEOUT(dlg.frames >= 4, 10000);
    QVERIFY(dlg.results >= 3);
    QVERIFY(dlg.button(CCyclicDeviceDlg::kPrintButton)->isVisible());
    QVERIFY(dlg.button(CCyclicDeviceDlg::kRecordButton)->isVisible());

    dlg.done(QDialog::Accepted);
    QVERIFY(!dlg.isPolling());
    const int after = dlg.frames;
    QTest::qWait(100);
    QCOMPARE(dlg.frames, after);
    QVERIFY(m.prompts().messages.empty());
}

void CyclicDeviceDlgTest::firmwareThatDoesNotFitStopsEverything() {
    MeterFixture m;
    QVERIFY2(m.start({"--firmware", "X1-CKS-9.99"}), m.sim.error().c_str());
    CPollingDlg dlg(dialogmode::kDialogue, m.desktop().link());
    dlg.show();
    dlg.showBusy();
    QCOMPARE(dlg.startCyclicReading(1, 3, kMeasurementBlock, 2, 20, 2), -1);
    QVERIFY(!dlg.isPolling());
    QVERIFY2(dlg.busyWindow() == nullptr, "the busy window goes before the message");
    QCOMPARE(m.prompts().messages.size(), std::size_t{1});
    QCOMPARE(m.prompts().messages[0].text,
             std::string("Version du firmware n'est pas compatible avec la version de ce "
                         "logiciel.\nVeuillez utiliser le logiciel version X1\nUltrasonic "
                         "flowmeter"));
    QCOMPARE(m.prompts().messages[0].caption, std::string("Erreur"));
    QTest::qWait(100);
    QCOMPARE(dlg.frames, 0);
}

void CyclicDeviceDlgTest::frameResultsSetTheCommunicationStatus() {
    DesktopFixture f;
    CPollingDlg dlg(dialogmode::kDialogue, f.desktop.link());
    dlg.initialise();
    ks::CField& status = *dlg.fields().find(kStatus);

    dlg.answer = -1;
    dlg.nestOnFirst = true;
    dlg.sendNewFrame();
    QVERIFY2(dlg.frames == 1, "the notification that came meanwhile is dropped");
    QCOMPARE(status.text(), std::string("2"));
    QCOMPARE(dlg.recordSteps, 0);
    QVERIFY(dlg.button(CCyclicDeviceDlg::kPrintButton)->isHidden());

    dlg.answer = 0;
    dlg.sendNewFrame();
    QCOMPARE(status.text(), std::string("0"));
    QCOMPARE(dlg.recordSteps, 1);
    QVERIFY(!dlg.button(CCyclicDeviceDlg::kPrintButton)->isHidden());
    QCOMPARE(qobject_cast<QLabel*>(dlg.widgetsOf(kStatus).value)->text(), QStringLiteral("0"));

    // A failure after another status than "good" leaves it alone.
    status.setText("5");
    dlg.answer = -1;
    dlg.sendNewFrame();
    QCOMPARE(status.text(), std::string("5"));

    // Posted as the worker posts it.
    dlg.answer = 0;
    QCoreApplication::postEvent(&dlg, new ks::gui::CKsEvent("WM_NEW_TRAME"));
    QTRY_COMPARE(dlg.frames, 4);
}

void CyclicDeviceDlgTest::pageButtonsWalkThroughARecording() {
    DesktopFixture f;
    CPollingDlg dlg(dialogmode::kOpen, f.desktop.link());
    dlg.initialise();
    CSamples samples;
    dlg.setRecordSource(&samples, {0x1100});
    const auto click = [&dlg](int control) { dlg.button(control)->click(); };
    const auto enabled = [&dlg]() {
        std::vector<bool> e;
        for (int id : {ks::kFirstPageControl, ks::kPreviousPageControl, ks::kNextPageControl,
                       ks::kLastPageControl})
            e.push_back(dlg.button(id)->isEnabled());
        return e;
    };
    const ks::CField& flow = *dlg.fields().find(kFlow);

    click(ks::kLastPageControl);
    QCOMPARE(flow.text(), std::string("300"));
    QCOMPARE(dlg.recordStatusText(), QStringLiteral("Enregistrement 3 / 3"));
    QCOMPARE(enabled(), (std::vector<bool>{true, true, false, false}));

    click(ks::kPreviousPageControl);
    QCOMPARE(flow.text(), std::string("200"));
    QCOMPARE(enabled(), (std::vector<bool>{true, true, true, true}));

    click(ks::kFirstPageControl);
    QCOMPARE(flow.text(), std::string("100"));
    QCOMPARE(enabled(), (std::vector<bool>{false, false, true, true}));

    // A record that cannot be read changes nothing.
    samples.broken = true;
    click(ks::kNextPageControl);
    QCOMPARE(flow.text(), std::string("100"));
    QCOMPARE(dlg.recordStatusText(), QStringLiteral("Enregistrement 1 / 3"));
    QCOMPARE(enabled(), (std::vector<bool>{false, false, true, true}));
}

QTEST_MAIN(CyclicDeviceDlgTest)
#include "CyclicDeviceDlgTest.moc"
