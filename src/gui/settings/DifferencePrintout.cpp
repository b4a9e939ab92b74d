#include "settings/DifferencePrintout.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include <array>

namespace ks::gui {

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kLine = 14;
constexpr double kTableTop = 90;
// Column starts, as parts of the page width: parameter, reference, current, unit.
constexpr std::array<double, 5> kColumns = {0.0, 0.34, 0.58, 0.82, 1.0};

QFont font(int pixels, bool bold, bool underline = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

QString qt(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

int paintDifferencePrintout(QPainter& painter, QPagedPaintDevice& device,
                            const ks::DifferenceReport& report, const QString& dateLine) {
    const double scale = device.logicalDpiY() / kPointsPerInch;
    painter.save();
    painter.scale(scale, scale);
    const double width = device.width() / scale;
    const double height = device.height() / scale;

    double y = 0;
    painter.setFont(font(15, true, true));
    painter.drawText(QRectF(0, y, width, 20), Qt::AlignLeft | Qt::AlignVCenter, qt(report.caption));
    y += 20;
    painter.setFont(font(10, false));
    for (const QString& line : {dateLine, qt(report.referenceLine), qt(report.currentLine)}) {
        painter.drawText(QRectF(0, y, width, kLine), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += kLine;
    }
    y = std::max(y + kLine, kTableTop);

    auto row = [&](const std::array<QString, 4>& cells, bool title) {
        painter.setFont(font(10, title));
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const double left = width * kColumns[c];
            const double right = width * kColumns[c + 1];
            painter.drawText(QRectF(left + 2, y, right - left - 4, kLine),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(cells[c], Qt::ElideRight,
                                                              static_cast<int>(right - left - 4)));
        }
        y += kLine;
        painter.drawLine(QPointF(0, y), QPointF(width, y));
    };
    std::array<QString, 4> titles;
    for (std::size_t c = 0; c < titles.size() && c < report.columns.size(); ++c)
        titles[c] = qt(report.columns[c]);
    row(titles, true);

    int result = 0;
    for (const ks::DifferenceRow& r : report.rows) {
        if (y + kLine > height) {
            if (!device.newPage()) {
                result = -1;
                break;
            }
            y = 0;
            row(titles, true);
        }
        row({qt(r.label), qt(r.reference), qt(r.current), qt(r.unit)}, false);
    }
    if (result == 0) {
        if (y + 4 * kLine > height) {
            if (!device.newPage())
                result = -1;
            y = 0;
        }
        y += 2 * kLine;
        painter.setFont(font(10, false));
        for (const std::string& line : {report.unitNumberLine, report.signatureLine}) {
            painter.drawText(QRectF(0, y, width, kLine), Qt::AlignLeft | Qt::AlignVCenter,
                             qt(line));
            y += 2 * kLine;
        }
    }
    painter.restore();
    return result;
}

} // namespace ks::gui
