#include "measurement/graph/CGraphWnd.h"
#include "measurement/graph/GraphPainter.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

using namespace ks;

namespace {

constexpr double M = kMissingValue;
const QColor kBackground(170, 170, 230);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

// 400 x 200, range -10 .. 10: value 5 lies on row 50, -5 on row 150, zero on row 100.
// Five values are 80 pixels apart; the missing one breaks the line.
GraphModel knownGraph() {
    GraphModel g;
    g.place(0, 0, 400, 200, 4, 10);
    g.setCurve(0, SampleSeries{5, 5, M, -5, -5}, -10, 10, {255, 0, 0}, 1);
    g.update();
    return g;
}

QImage render(const GraphModel& g, QSize size, bool printing) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintGraph(painter, g, QRect(QPoint(0, 0), size), printing);
    painter.end();
    return image;
}

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// Rows of column x that have the colour, between rows from and to.
int rowsWithColour(const QImage& image, int x, int from, int to, const QColor& colour) {
    int n = 0;
    for (int y = from; y <= to; ++y)
        if (image.pixelColor(x, y) == colour)
            ++n;
    return n;
}

} // namespace

class GraphRenderTest : public QObject {
    Q_OBJECT

private slots:
    void curveAndZeroLineLandOnTheirPixels() {
        const QImage image = render(knownGraph(), QSize(400, 200), false);
        // The curve: first run from x 0 to 80 on row 50, second from 240 to 320 on row 150.
        QCOMPARE(at(image, 40, 50), kRed);
        QCOMPARE(at(image, 79, 50), kRed);
        QCOMPARE(at(image, 280, 150), kRed);
        QCOMPARE(rowsWithColour(image, 40, 1, 198, kRed), 1);
        // Nothing in the gap around the missing value.
        QCOMPARE(rowsWithColour(image, 160, 1, 198, kRed), 0);
        QCOMPARE(rowsWithColour(image, 390, 1, 198, kRed), 0);
        // The zero line: three black rows centred on row 100, right across.
        for (int x : {5, 150, 250, 395}) {
            QCOMPARE(at(image, x, 99), kBlack);
            QCOMPARE(at(image, x, 100), kBlack);
            QCOMPARE(at(image, x, 101), kBlack);
            QCOMPARE(at(image, x, 97), kBackground);
            QCOMPARE(at(image, x, 103), kBackground);
        }
        // Frame on the outer pixels, background inside.
        QCOMPARE(at(image, 0, 0), kBlack);
        QCOMPARE(at(image, 399, 199), kBlack);
        QCOMPARE(at(image, 200, 199), kBlack);
        QCOMPARE(at(image, 150, 130), kBackground);
        // The dotted grid column at x = 100 has black and background pixels.
        const int dots = rowsWithColour(image, 100, 2, 18, kBlack);
        QVERIFY(dots > 2 && dots < 16);
    }

    void labelsAreDrawnInTheGridColour() {
        GraphModel g = knownGraph();
        g.setLabels("10.0 l/s", "", "-10.0 l/s", 8);
        const QImage image = render(g, QSize(400, 200), false);
        const QImage bare = render(knownGraph(), QSize(400, 200), false);
        // Text pixels (dark, never the curve's red) appear near the top and the bottom edge.
        int top = 0;
        int bottom = 0;
        for (int y = 1; y < 199; ++y)
            for (int x = 3; x < 80; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == bare.pixelColor(x, y))
                    continue;
                QVERIFY(c.red() <= kBackground.red() && c.green() <= kBackground.green());
                if (qGray(c.rgb()) < 60)
                    ++(y < 50 ? top : bottom);
            }
        QVERIFY(top > 10);
        QVERIFY(bottom > 10);
    }

    void theWidgetPaintsItsFieldAfterRedraw() {
        CGraphWnd wnd(GraphFieldSettings{5, -10, 10, "%0.1f", "point"});
        wnd.resize(400, 200);
        for (double v : {5.0, 5.0, M, -5.0, -5.0})
            wnd.addPoint(v);
        wnd.redraw();
        const QImage image = wnd.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(400, 200));
        QCOMPARE(at(image, 40, 50), kRed);
        QCOMPARE(at(image, 280, 150), kRed);
        QCOMPARE(at(image, 150, 100), kBlack);
        QCOMPARE(rowsWithColour(image, 160, 1, 198, kRed), 0);
    }

    void printingDoublesTheLineWidths() {
        const QImage screen = render(knownGraph(), QSize(400, 200), false);
        const QImage printed = render(knownGraph(), QSize(400, 200), true);
        QCOMPARE(rowsWithColour(screen, 40, 1, 198, kRed), 1);
        QCOMPARE(rowsWithColour(printed, 40, 1, 198, kRed), 2);
        QCOMPARE(rowsWithColour(screen, 150, 90, 110, kBlack), 3);
        QCOMPARE(rowsWithColour(printed, 150, 90, 110, kBlack), 6);
    }

    void aPdfPageReceivesTheGraph() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray empty = pdfOf(dir.filePath("empty.pdf"), [](QPainter&) {});
        const QByteArray graph = pdfOf(dir.filePath("graph.pdf"), [](QPainter& painter) {
            CGraphWnd wnd(GraphFieldSettings{5, -10, 10, "%0.1f", ""});
            wnd.resize(400, 200);
            for (double v : {1.0, 2.0, 3.0, 4.0, 5.0})
                wnd.addPoint(v);
            wnd.field().setRange(-10, 10);
            wnd.field().setUnit(std::string("m3/h"));
            wnd.print(painter, QRect(100, 100, 1600, 800));
        });
        QVERIFY(graph.startsWith("%PDF"));
        // The labels bring a font, the drawing a content stream well beyond an empty page's.
        QVERIFY(graph.contains("/FontFile"));
        QVERIFY(!empty.contains("/FontFile"));
        QVERIFY2(graph.size() > empty.size() + 1000,
                 qPrintable(QString("%1 vs %2").arg(graph.size()).arg(empty.size())));
    }

private:
    template <typename Draw> static QByteArray pdfOf(const QString& path, Draw draw) {
        {
            QPdfWriter writer(path);
            writer.setResolution(300);
            QPainter painter(&writer);
            draw(painter);
            painter.end();
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }
};

QTEST_MAIN(GraphRenderTest)
#include "GraphRenderTest.moc"
