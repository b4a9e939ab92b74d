#include "framework/BusyWnd.h"

#include "app/KsEvent.h"
#include "controls/CButtonKS.h"
#include "controls/ControlMessages.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace ks::gui {

CBusyWnd::CBusyWnd(QWidget* owner)
    : QWidget(owner,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_owner(owner), m_text(new QLabel(this)), m_progress(new QProgressBar(this)),
      m_transfer(new CButtonKS(QIcon(), QStringLiteral("Transfert"), this)),
      m_exit(new CButtonKS(QIcon(), QStringLiteral("Exit"), this)) {
    setObjectName(QStringLiteral("busyWindow"));
    setWindowTitle(owner != nullptr ? owner->windowTitle() : QString());
    m_text->setObjectName(QStringLiteral("busy_%1").arg(kTextControl));
    m_text->setAlignment(Qt::AlignCenter);
    m_progress->setObjectName(QStringLiteral("busy_%1").arg(kProgressControl));
    m_progress->hide();
    m_transfer->setObjectName(QStringLiteral("busy_%1").arg(kTransferControl));
    m_exit->setObjectName(QStringLiteral("busy_%1").arg(kExitControl));
    m_exit->hide();
    for (CButtonKS* b : {m_transfer, m_exit}) {
        b->owner().setOwnerId(b == m_transfer ? kTransferControl : kExitControl);
        b->owner().setNotifyTarget(this);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_transfer);
    buttons->addWidget(m_exit);
    buttons->addStretch();
    layout->addLayout(buttons);
}

void CBusyWnd::setText(const QString& text) {
    m_text->setText(text);
}

QString CBusyWnd::text() const {
    return m_text->text();
}

void CBusyWnd::setRange(int n) {
    m_progress->setRange(0, n);
    m_progress->setValue(0);
    m_progress->show();
}

void CBusyWnd::step(int k) {
    m_progress->setValue(std::min(m_progress->maximum(), m_progress->value() + k));
}

CButtonKS* CBusyWnd::button(int control) const {
    if (control == kTransferControl)
        return m_transfer;
    if (control == kExitControl)
        return m_exit;
    return nullptr;
}

bool CBusyWnd::event(QEvent* e) {
    if (e->type() == CKsEvent::typeOf(kButtonClick)) {
        const auto* click = static_cast<CKsEvent*>(e);
        if (click->wParam() != kTransferControl && m_owner) {
            CKsEvent forward(kButtonClick, click->wParam(), click->lParam());
            QCoreApplication::sendEvent(m_owner, &forward);
        }
        return true;
    }
    return QWidget::event(e);
}

} // namespace ks::gui
