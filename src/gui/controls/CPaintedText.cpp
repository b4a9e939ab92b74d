#include "controls/CPaintedText.h"

#include <QFontDatabase>
#include <QPainter>

namespace ks::gui {

CPaintedText::CPaintedText(QWidget* parent) : QWidget(parent) {
    setFont(paintFont());
    setAutoFillBackground(false);
}

QFont CPaintedText::paintFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

void CPaintedText::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    update();
}

void CPaintedText::setTextFlags(int flags) {
    m_flags = flags;
    update();
}

QSize CPaintedText::sizeHint() const {
    const QFontMetrics metrics(font());
    return metrics.boundingRect(QRect(0, 0, 400, 2000), m_flags, m_text).size();
}

void CPaintedText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), m_flags, m_text);
}

} // namespace ks::gui
