#include "framework/Exchange.h"
#include "DesktopFixture.h"
#include "controls/CButtonKS.h"
#include "framework/BusyWnd.h"
#include "framework/DeviceDlg.h"
#include "measurement/CMeasureDlg.h"
#include "shell/DialogModes.h"
#include "support/PtyPair.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>

using ks::gui::CBusyWnd;
using ks::gui::CDeviceDlg;
using ks::gui::CExchange;
namespace tpl = ks::gui::tpl;

namespace {

constexpr int kCom = 9;
constexpr int kBlock = 0x1100;
constexpr int kDiameter = 1010;

// A terminal where nobody answers, and a program whose configuration points at it.
struct SilentLine {
    ks::test::PtyPeer peer;
    std::unique_ptr<DesktopFixture> fixture;

    bool start() {
        if (!peer.start([](const ks::test::Bytes&, int) { return ks::test::PtyPeer::Answer{}; }))
            return false;
        fixture.reset(new DesktopFixture({{"Ports/" + std::to_string(kCom), peer.slavePath()},
                                          {"Com/Port", std::to_string(kCom - 1)}}));
        fixture->desktop.refreshPortTable();
        return true;
    }
    ks::CJBusLink& link() { return fixture->desktop.link(); }
};

class CDiameterDlg : public CDeviceDlg {
public:
    explicit CDiameterDlg(ks::CJBusLink& link) : CDeviceDlg(114, ks::dialogmode::kDialogue, link) {
        fields().add({.id = kDiameter,
                      .label = 102,
                      .kind = ks::FieldKind::kEdit,
                      .value = "100.0",
                      .format = "%0.1f",
                      .type = 0x0300,
                      .offset = 1,
                      .block = kBlock});
        setBodyTemplate({tpl::field(kDiameter)});
    }
};

CBusyWnd* shownBusyWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<CBusyWnd*>(w); b != nullptr && b->isVisible())
            return b;
    return nullptr;
}

} // namespace

class ExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void windowLivesAndCancelEndsTheRead();
    void closingTheDialogDuringTheReadIsSafe();
    void closingTheMeasurementDialogDuringItsIdentificationRead();
    void chainAfterCancelWritesNothing();
};

// While a block read waits on a silent line, the window's timers keep firing, the rest of
// the program is greyed, the busy window offers Cancel, and Cancel ends the read at once:
// no message, the link closed and free.
void ExchangeTest::windowLivesAndCancelEndsTheRead() {
    SilentLine line;
    QVERIFY(line.start());
    QWidget other;
    auto* otherContent = new QLabel(QStringLiteral("main"), &other);
    other.show();
    CDiameterDlg dlg(line.link());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));

    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(20);

    QElapsedTimer sinceClick;
    bool sawCancel = false, greyed = false;
    QTimer::singleShot(1000, [&] {
        CBusyWnd* busy = shownBusyWindow();
        QVERIFY(busy != nullptr);
        ks::gui::CButtonKS* exit = busy->button(CBusyWnd::kExitControl);
        sawCancel = exit->isVisible() && exit->text() == QStringLiteral("Annuler");
        greyed = !otherContent->isEnabled() && !dlg.widgetsOf(kDiameter).value->isEnabled();
        QVERIFY(exit->isEnabled());
        sinceClick.start();
        exit->click();
    });
    QElapsedTimer clock;
    clock.start();
    const int result = dlg.readBlock(kBlock);
    const qint64 afterClick = sinceClick.elapsed();
    const qint64 total = clock.elapsed();

    QCOMPARE(result, -1);
    QVERIFY(sawCancel);
    QVERIFY(greyed);
    // The read waited about a second before the click: 10 ticks a second at the least.
    QVERIFY2(ticks >= total / 100,
             qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(ticks).arg(total)));
    QVERIFY2(afterClick < 1200, QByteArray::number(afterClick));
    QVERIFY(line.fixture->prompts.messages.empty());
    QVERIFY(!line.link().serialLink().isOpen());
    QVERIFY(!line.link().busy());
    QVERIFY(!line.link().cancelRequested());
    QCOMPARE(dlg.fields().find(kDiameter)->text(), std::string("100.0"));
    QVERIFY(otherContent->isEnabled());
    QVERIFY(dlg.widgetsOf(kDiameter).value->isEnabled());
    QCOMPARE(CExchange::workersAlive(), 0);

    // The next exchange, started from the event loop, talks to the line again.
    QTRY_VERIFY(!dlg.exchange().isRunning());
    QTest::qWait(10);
    const int before = line.peer.requests();
    QTimer::singleShot(200, [&] { shownBusyWindow()->button(CBusyWnd::kExitControl)->click(); });
    QCOMPARE(dlg.readBlock(kBlock), -1);
    QVERIFY(line.peer.requests() > before);
}

// Closing the dialog while it reads: the read ends, no thread is left, the port is closed,
// and nothing more is asked of the meter.
void ExchangeTest::closingTheDialogDuringTheReadIsSafe() {
    SilentLine line;
    QVERIFY(line.start());
    CDiameterDlg dlg(line.link());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QElapsedTimer sinceClose;
    QTimer::singleShot(300, [&] {
        sinceClose.start();
        dlg.close();
    });
    QCOMPARE(dlg.readBlock(kBlock), -1);
    QVERIFY2(sinceClose.elapsed() < 1200, QByteArray::number(sinceClose.elapsed()));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(CExchange::workersAlive(), 0);
    QVERIFY(!line.link().serialLink().isOpen());
    const int asked = line.peer.requests();
    QCOMPARE(dlg.writeBlock(kBlock), -1); // the window is gone: refused
    QTest::qWait(50);
    QCOMPARE(line.peer.requests(), asked);
    QVERIFY(line.fixture->prompts.messages.empty());
}

void ExchangeTest::closingTheMeasurementDialogDuringItsIdentificationRead() {
    SilentLine line;
    QVERIFY(line.start());
    {
        ks::gui::CMeasureDlg dlg(ks::dialogmode::kDialogue, line.link());
        QTimer::singleShot(500, [&] { dlg.close(); });
        QElapsedTimer clock;
        clock.start();
        dlg.exec();
        QVERIFY2(clock.elapsed() < 2000, QByteArray::number(clock.elapsed()));
        QVERIFY(!dlg.isPolling());
    }
    QCOMPARE(CExchange::workersAlive(), 0);
    QVERIFY(!line.link().serialLink().isOpen());
    QVERIFY(line.fixture->prompts.messages.empty());
}

// Cancel in the middle of a chain of writes: the writes that follow are refused until the
// window's event loop has control again, even where the chain ignores the results.
void ExchangeTest::chainAfterCancelWritesNothing() {
    SilentLine line;
    QVERIFY(line.start());
    CDiameterDlg dlg(line.link());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.showBusy();
    QTimer::singleShot(300, [&] { dlg.exchange().cancel(); });
    QCOMPARE(dlg.writeBlock(kBlock), -1);
    const int asked = line.peer.requests();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(dlg.writeBlock(kBlock), -1);
    QCOMPARE(line.peer.requests(), asked);
    dlg.hideBusy();
    QVERIFY(line.fixture->prompts.messages.empty());
}

QTEST_MAIN(ExchangeTest)
#include "ExchangeTest.moc"
