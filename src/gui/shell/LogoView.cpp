#include "shell/LogoView.h"

#include "shell/ProgramPictures.h"

#include <QPainter>

namespace ks::gui {

CLogoView::CLogoView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(logoSize());
}

void CLogoView::showBuiltIn() {
    m_builtIn = true;
    m_custom = QImage();
    update();
}

void CLogoView::showCustom(const QImage& logo) {
    m_builtIn = false;
    m_custom = logo;
    update();
}

QSize CLogoView::sizeHint() const {
    return logoSize();
}

void CLogoView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_builtIn)
        paintBuiltInPicture(p, size());
    else if (!m_custom.isNull())
        p.drawImage(QPoint(0, 0), m_custom);
}

} // namespace ks::gui
