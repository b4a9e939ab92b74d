#include "framework/CyclicDeviceDlg.h"

#include "app/KsEvent.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "link/JBusLink.h"

#include <QCoreApplication>

#include <cmath>

namespace ks::gui {

void CNewFrameSink::postNewFrame() {
    // Called on the polling worker's thread: posting is the only thing it may do here.
    QCoreApplication::postEvent(m_target,
                                new CKsEvent(CCyclicDeviceDlg::newFrameEventType(), 0, 0));
}

CCyclicDeviceDlg::CCyclicDeviceDlg(int templateNumber, int mode, ks::CJBusLink& link,
                                   QWidget* parent)
    : CDeviceDlg(templateNumber, mode, link, parent), m_sink(this) {
    newFrameEventType();
}

CCyclicDeviceDlg::~CCyclicDeviceDlg() {
    // The worker must not post to a dialog that is gone.
    stopCyclicReading();
}

QEvent::Type CCyclicDeviceDlg::newFrameEventType() {
    static const QEvent::Type type = CKsEvent::typeOf(kNewFrameMessage);
    return type;
}

int CCyclicDeviceDlg::startCyclicReading(int slave, int function, int address, int count,
                                         int periodMs, int itemSize) {
    const int result =
        session().startCyclicReading(m_sink, slave, function, address, count, periodMs, itemSize);
    m_started = result == 0 && !isFileOnly();
    return result;
}

void CCyclicDeviceDlg::stopCyclicReading() {
    // The link is shared: only the worker this dialog started is its to stop.
    if (!m_started)
        return;
    m_started = false;
    session().stopCyclicReading();
    // Frames posted before the worker stopped have nothing left to acknowledge.
    QCoreApplication::removePostedEvents(this, newFrameEventType());
}

bool CCyclicDeviceDlg::isPolling() {
    return link().polling();
}

void CCyclicDeviceDlg::acknowledge() {
    link().acknowledge();
}

ks::JBusRequest CCyclicDeviceDlg::polledRequest() {
    return link().getRequest();
}

void CCyclicDeviceDlg::setPolledRequest(const ks::JBusRequest& request) {
    link().setRequest(request);
}

void CCyclicDeviceDlg::onNewFrame() {
    if (m_inFrame)
        return;
    m_inFrame = true;
    const int result = frameHook();
    ks::CField* status = m_statusField != 0 ? fields().find(m_statusField) : nullptr;
    if (result == 0) {
        showButton(kPrintButton);
        showButton(kRecordButton);
        recordStep();
        if (status != nullptr)
            status->setNumber(kCommunicationGood);
    } else if (status != nullptr && std::lround(status->number()) == kCommunicationGood) {
        status->setNumber(kCommunicationFailed);
    }
    if (status != nullptr && body() != nullptr)
        body()->binder().refresh(m_statusField);
    acknowledge();
    m_inFrame = false;
}

void CCyclicDeviceDlg::showButton(int control) {
    if (body() != nullptr)
        if (CButtonKS* b = body()->button(control))
            b->show();
}

bool CCyclicDeviceDlg::event(QEvent* e) {
    if (e->type() == newFrameEventType()) {
        onNewFrame();
        return true;
    }
    return CDeviceDlg::event(e);
}

void CCyclicDeviceDlg::done(int result) {
    stopCyclicReading();
    CDeviceDlg::done(result);
}

void CCyclicDeviceDlg::setRecordSource(ks::CRecordSource* source, std::vector<int> blockList) {
    if (source == nullptr) {
        m_pager.reset();
        return;
    }
    // Through the dialog's own decode: a dialog may keep blocks that have no fields.
    m_pager = std::make_unique<ks::CRecordPager>(*source, dialogBlocks(), std::move(blockList));
    m_pager->setLanguage(language());
    m_pager->setRefresh([this] {
        refreshHook();
        refreshFields();
    });
}

int CCyclicDeviceDlg::showPage(ks::PageButton button) {
    return showPageHook(button);
}

int CCyclicDeviceDlg::showPageHook(ks::PageButton button) {
    if (!m_pager)
        return -1;
    m_pager->setLanguage(language());
    if (m_pager->press(button) != 0)
        return -1;
    if (ks::CField* status = fields().find(ks::kRecordingStatusControl)) {
        status->setText(m_pager->statusText());
        if (body() != nullptr)
            body()->binder().refresh(ks::kRecordingStatusControl);
    }
    applyPageButtons();
    return 0;
}

QString CCyclicDeviceDlg::recordStatusText() const {
    return m_pager ? qtext(m_pager->statusText()) : QString();
}

void CCyclicDeviceDlg::applyPageButtons() {
    if (body() == nullptr || !m_pager)
        return;
    const ks::PageButtons& state = m_pager->buttons();
    const struct {
        int control;
        bool enabled;
        ks::PageButton which;
    } buttons[] = {
        {ks::kFirstPageControl, state.first, ks::PageButton::First},
        {ks::kPreviousPageControl, state.previous, ks::PageButton::Previous},
        {ks::kNextPageControl, state.next, ks::PageButton::Next},
        {ks::kLastPageControl, state.last, ks::PageButton::Last},
    };
    for (const auto& b : buttons) {
        CButtonKS* button = body()->button(b.control);
        if (button == nullptr)
            continue;
        button->setEnabled(b.enabled);
        if (state.focus == b.which)
            button->setFocus(Qt::OtherFocusReason);
    }
}

void CCyclicDeviceDlg::onButton(int control) {
    const ks::PageButton page = ks::pageButtonOfControl(control);
    if (page != ks::PageButton::None) {
        showPage(page);
        return;
    }
    if (control == kPrintButton)
        print();
}

} // namespace ks::gui
