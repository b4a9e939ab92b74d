// Quitting the program while the measurement dialog reads the meter. A program of its own:
// after a quit no event loop of this process runs again.
#include "DesktopFixture.h"
#include "framework/Exchange.h"
#include "measurement/CMeasureDlg.h"
#include "shell/DialogModes.h"
#include "support/PtyPair.h"

#include <QElapsedTimer>
#include <QtTest>

class QuitDuringExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void quitEndsTheReadAndReleasesThePort();
};

void QuitDuringExchangeTest::quitEndsTheReadAndReleasesThePort() {
    ks::test::PtyPeer peer;
    QVERIFY(peer.start([](const ks::test::Bytes&, int) { return ks::test::PtyPeer::Answer{}; }));
    DesktopFixture f({{"Ports/9", peer.slavePath()}, {"Com/Port", "8"}});
    f.desktop.refreshPortTable();
    int asked = 0;
    {
        ks::gui::CMeasureDlg dlg(ks::dialogmode::kDialogue, f.desktop.link());
        QTimer::singleShot(500, [] { QCoreApplication::exit(0); });
        QElapsedTimer clock;
        clock.start();
        dlg.exec();
        QVERIFY2(clock.elapsed() < 2000, QByteArray::number(clock.elapsed()));
        QVERIFY(!dlg.isPolling());
        asked = peer.requests();
        QVERIFY(asked >= 1);
        // Nothing more goes to the meter once the program quits.
        QCOMPARE(dlg.readBlock(0xFF00), -1);
    }
    QCOMPARE(ks::gui::CExchange::workersAlive(), 0);
    QVERIFY(!f.desktop.link().serialLink().isOpen());
    QVERIFY(f.prompts.messages.empty());
    QTest::qWait(50);
    QCOMPARE(peer.requests(), asked);
}

QTEST_MAIN(QuitDuringExchangeTest)
#include "QuitDuringExchangeTest.moc"
