#include "shell/DeviceSearchDlg.h"
#include "MeterFixture.h"
#include "controls/CButtonKS.h"
#include "support/PtyPair.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QtTest>

using ks::gui::CDeviceSearchDlg;

namespace {

constexpr int kIdentBlock = 0xFF00;
constexpr int kIdentRegisters = 25;
constexpr int kBaudLimit = 7;
constexpr int kCom = MeterFixture::kCom;

// A terminal at kCom where nobody answers.
struct SilentLine {
    ks::test::PtyPeer peer;
    std::unique_ptr<DesktopFixture> fixture;

    bool start() {
        if (!peer.start([](const ks::test::Bytes&, int) { return ks::test::PtyPeer::Answer{}; }))
            return false;
        fixture.reset(new DesktopFixture({{"Ports/" + std::to_string(kCom), peer.slavePath()}}));
        fixture->desktop.refreshPortTable();
        return true;
    }
};

} // namespace

class DeviceSearchDlgTest : public QObject {
    Q_OBJECT

private slots:
    void findsTheMeterWhileTheWindowLives();
    void saysNotFoundWithoutAMeter();
    void cancelEndsTheSearchWithinOneTimeout();
};

void DeviceSearchDlgTest::findsTheMeterWhileTheWindowLives() {
    MeterFixture m;
    QVERIFY2(m.start({"--baud", "4800", "--slave", "17"}), m.sim.error().c_str());
    CDeviceSearchDlg dlg(m.desktop().link(), kIdentBlock, kIdentRegisters, 1, kBaudLimit);
    dlg.setPorts({kCom});
    dlg.setTimeout(300);
    QVERIFY(!dlg.endButton()->isVisible());
    dlg.show();

    // The window keeps handling events while the lines go by.
    QStringList seen;
    QElapsedTimer clock;
    clock.start();
    while (!dlg.hasEnded() && clock.elapsed() < 30000) {
        QTest::qWait(20);
        if (!seen.contains(dlg.statusText()))
            seen << dlg.statusText();
    }
    QVERIFY(dlg.hasEnded());
    QVERIFY2(seen.contains(QStringLiteral("Com 9 - BlueTooth")), qPrintable(seen.join('|')));
    QVERIFY2(seen.contains(QStringLiteral("Com 9 - 9600 bauds")), qPrintable(seen.join('|')));
    QCOMPARE(dlg.captionLine(), QStringLiteral("Recherche de l'appareil"));
    QCOMPARE(dlg.foundPort(), kCom);
    QCOMPARE(dlg.foundBaudIndex(), 4);
    QCOMPARE(dlg.foundSlave(), 17);
    QCOMPARE(dlg.statusText(), QStringLiteral("L'appareil a été trouvé.\nDétection réussie !"));
    QCOMPARE(dlg.progressBar()->value(), dlg.progressBar()->maximum());
    QVERIFY(dlg.endButton()->isVisible());
    QCOMPARE(dlg.endButton()->text(), QStringLiteral("Ok"));
    QVERIFY(!m.desktop().link().serialLink().isOpen());

    dlg.endButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void DeviceSearchDlgTest::saysNotFoundWithoutAMeter() {
    SilentLine line;
    QVERIFY(line.start());
    CDeviceSearchDlg dlg(line.fixture->desktop.link(), kIdentBlock, kIdentRegisters, 1, kBaudLimit);
    dlg.setPorts({kCom});
    dlg.setTimeout(50);
    dlg.show();
    QTRY_VERIFY_WITH_TIMEOUT(dlg.hasEnded(), 30000);
    QCOMPARE(dlg.foundBaudIndex(), -1);
    QVERIFY(!dlg.wasCancelled());
    QCOMPARE(dlg.statusText(), QStringLiteral("L'appareil n'a pas répondu.\nDétection échouée !"));
    QVERIFY(dlg.endButton()->isVisible());
    // Every baud rate was tried.
    QVERIFY(line.peer.requests() >= kBaudLimit);
}

void DeviceSearchDlgTest::cancelEndsTheSearchWithinOneTimeout() {
    SilentLine line;
    QVERIFY(line.start());
    CDeviceSearchDlg dlg(line.fixture->desktop.link(), kIdentBlock, kIdentRegisters, 1, kBaudLimit);
    dlg.setPorts({kCom});
    dlg.setTimeout(1000);
    dlg.show();
    QTRY_VERIFY(dlg.statusText().startsWith(QStringLiteral("Com 9")));
    QElapsedTimer clock;
    clock.start();
    dlg.cancelButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(dlg.hasEnded(), 5000);
    QVERIFY2(clock.elapsed() < 1800, QByteArray::number(clock.elapsed()));
    QVERIFY(dlg.wasCancelled());
    QCOMPARE(dlg.foundBaudIndex(), -1);
    QCOMPARE(dlg.statusText(), QStringLiteral("L'appareil n'a pas répondu.\nDétection échouée !"));
    QVERIFY(!dlg.cancelButton()->isVisible());
    QVERIFY(dlg.endButton()->isVisible());
    QVERIFY(line.peer.requests() < kBaudLimit);
}

QTEST_MAIN(DeviceSearchDlgTest)
#include "DeviceSearchDlgTest.moc"
