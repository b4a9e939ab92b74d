#include "controls/CListDisplay.h"
#include "controls/CPaintedText.h"
#include "controls/CTabHost.h"

#include <QFontInfo>
#include <QImage>
#include <QtTest>

using namespace ks::gui;

class SmallControlsTest : public QObject {
    Q_OBJECT

private slots:
    void listDisplayRefusesIndexesOutsideItsList() {
        CListDisplay display;
        QCOMPARE(display.index(), -1);
        display.setList({"l/s", "l/mn", "l/h"});
        QCOMPARE(display.setIndex(2), 0);
        QCOMPARE(display.text(), QString("l/h"));
        QCOMPARE(display.setIndex(3), -1);
        QCOMPARE(display.setIndex(-1), -1);
        QCOMPARE(display.text(), QString("l/h"));
        QCOMPARE(display.index(), 2);
        display.setList({"L/S", "L/MN", "L/H"});
        QCOMPARE(display.text(), QString("L/H"));
    }

    void tabHostShowsOnlyTheCurrentPage() {
        CTabHost host;
        auto* general = new QWidget;
        auto* probe = new QWidget;
        QCOMPARE(host.addPage(general, 146), 0);
        QCOMPARE(host.addPage(probe, 269), 1);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QCOMPARE(host.tabText(0), QString("G\u00e9n\u00e9ral"));
        QVERIFY(general->isVisible());
        QVERIFY(!probe->isVisible());
        host.setCurrentIndex(1);
        QVERIFY(!general->isVisible());
        QVERIFY(probe->isVisible());
        host.setLanguage(4);
        QCOMPARE(host.tabText(0), QString("Allgemein"));
        QCOMPARE(host.titleTextOf(1), 269);
        QCOMPARE(host.currentIndex(), 1);
    }

    void paintedTextUsesTheSmallSansFaceOnATransparentGround() {
        CPaintedText text;
        QCOMPARE(text.font().pointSize(), 8);
        QCOMPARE(text.font().weight(), QFont::Normal);
        text.setText("Veuillez Patienter !");
        text.setTextFlags(Qt::AlignCenter);
        text.resize(200, 30);
        QImage image(text.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        text.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        int inked = 0;
        int clear = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                (qAlpha(image.pixel(x, y)) > 0 ? inked : clear)++;
        QVERIFY2(inked > 20, "the text is painted");
        QVERIFY2(clear > inked * 4, "the background is left as it was");
        QVERIFY(text.sizeHint().width() > 0);
    }
};

QTEST_MAIN(SmallControlsTest)
#include "SmallControlsTest.moc"
