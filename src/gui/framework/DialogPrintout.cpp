#include "framework/DialogPrintout.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

namespace ks::gui {

namespace {

// The page is laid out in points, whatever the device's resolution.
constexpr double kPointsPerInch = 72.0;
constexpr int kHeadingHeight = 15;
constexpr int kBodyHeight = 10;
constexpr double kHeadingStep = 20;
constexpr double kBodyStep = 14;
constexpr double kFieldsTop = 60;
constexpr double kValueColumn = 0.5; // of the page width

QFont headingFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(kHeadingHeight);
    f.setBold(true);
    f.setUnderline(true);
    return f;
}

QFont bodyFont(bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(kBodyHeight);
    f.setBold(bold);
    return f;
}

} // namespace

QString printDocumentName(const QString& title, const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    // The title is an argument, never part of the format.
    return QStringLiteral("%1 %2-%3-%4 %5-%6-%7")
        .arg(title)
        .arg(d.year(), 4)
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(t.hour(), 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.second(), 2, 10, QLatin1Char('0'));
}

int paintDialogPrintout(QPainter& painter, QPagedPaintDevice& device,
                        const DialogPrintout& printout) {
    const double scale = device.logicalDpiY() / kPointsPerInch;
    painter.save();
    painter.scale(scale, scale);
    const double width = device.width() / scale;
    const double height = device.height() / scale;

    double y = 0;
    painter.setFont(headingFont());
    for (const QString& line : {printout.title, printout.dateLine, printout.programName}) {
        painter.drawText(QRectF(0, y, width, kHeadingStep), Qt::AlignLeft | Qt::AlignVCenter, line);
        y += kHeadingStep;
    }
    y = std::max(y, kFieldsTop);

    const double valueX = width * kValueColumn;
    int result = 0;
    for (const ks::PrintLine& line : printout.lines) {
        if (y + kBodyStep > height) {
            if (!device.newPage()) {
                result = -1;
                break;
            }
            y = 0;
        }
        const QString caption = QString::fromStdString(line.caption);
        const QRectF row(0, y, width, kBodyStep);
        switch (line.kind) {
        case ks::PrintLine::Kind::Heading:
            painter.setFont(bodyFont(true));
            painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, caption);
            break;
        case ks::PrintLine::Kind::Field:
            painter.setFont(bodyFont());
            painter.drawText(QRectF(0, y, valueX - 6, kBodyStep), Qt::AlignLeft | Qt::AlignVCenter,
                             caption);
            painter.drawText(QRectF(valueX, y, width - valueX, kBodyStep),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(line.value));
            break;
        case ks::PrintLine::Kind::Text:
            painter.setFont(bodyFont());
            painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, caption);
            break;
        case ks::PrintLine::Kind::Separator:
            painter.drawLine(QPointF(0, y + kBodyStep / 2), QPointF(width, y + kBodyStep / 2));
            break;
        }
        y += kBodyStep;
    }
    painter.restore();
    return result;
}

} // namespace ks::gui
