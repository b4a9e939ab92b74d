#include "shell/DeviceSearchDlg.h"

#include "app/KsEvent.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "controls/ControlMessages.h"
#include "framework/Exchange.h"
#include "link/BaudTable.h"
#include "link/JBusLink.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ks::gui {

namespace {

constexpr int kSearchingText = 250; // "Recherche de l'appareil"

// The stop button is not in the text table.
QString cancelText(int language) {
    return CExchange::cancelText(language);
}

} // namespace

// Hands what the search reports, on its thread, over to the dialog's thread.
class CDeviceSearchDlg::Observer : public ks::CDeviceSearchObserver {
public:
    explicit Observer(CDeviceSearchDlg* dialog) : m_dialog(dialog) {}

    void searchCaption(const std::string& text) override {
        post([d = m_dialog, t = qtext(text)] { d->m_caption->setText(t); });
    }
    void searchStatus(const std::string& text) override {
        post([d = m_dialog, t = qtext(text)] { d->m_status->setText(t); });
    }
    void searchProgressRange(int maximum) override {
        post([d = m_dialog, maximum] {
            d->m_progress->setRange(0, std::max(1, maximum));
            d->m_progress->setValue(0);
        });
    }
    void searchProgressPosition(int position) override {
        post([d = m_dialog, position] {
            d->m_progress->setValue(std::min(position, d->m_progress->maximum()));
        });
    }
    void ended(const ks::DeviceSearchResult& result) {
        post([d = m_dialog, result] { d->finish(result); });
    }

private:
    template <typename F> void post(F f) {
        // Queued to the dialog: dropped if the dialog is gone by then.
        QMetaObject::invokeMethod(m_dialog, std::move(f), Qt::QueuedConnection);
    }
    CDeviceSearchDlg* m_dialog;
};

CDeviceSearchDlg::CDeviceSearchDlg(ks::CJBusLink& link, int address, int count, int slaveOffset,
                                   int baudLimit, QWidget* parent)
    : CDialogKS(kTemplate, parent), m_link(link), m_caption(new QLabel(this)),
      m_progress(new QProgressBar(this)), m_status(new QLabel(this)),
      m_button(new CButtonKS(QIcon(), QStringLiteral("Start"), this)),
      m_cancel(new CButtonKS(QIcon(), cancelText(language()), this)) {
    m_options.address = address;
    m_options.count = count;
    m_options.slaveOffset = slaveOffset;
    m_options.baudLimit = std::min(baudLimit, ks::baudCount());
    m_options.language = language();
    setCaption(text(kSearchingText));

    m_caption->setObjectName(QStringLiteral("control_%1").arg(kCaptionControl));
    m_caption->setText(text(kSearchingText));
    m_progress->setObjectName(QStringLiteral("control_%1").arg(kProgressControl));
    m_progress->setTextVisible(false);
    m_status->setObjectName(QStringLiteral("control_%1").arg(kStatusControl));
    m_status->setMinimumHeight(3 * fontMetrics().lineSpacing());
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setWordWrap(true);
    m_button->setObjectName(QStringLiteral("control_%1").arg(kButtonControl));
    m_button->owner().setOwnerId(kButtonControl);
    m_button->owner().setNotifyTarget(this);
    m_button->hide();
    m_cancel->setObjectName(QStringLiteral("control_%1").arg(kCancelControl));
    m_cancel->owner().setOwnerId(kCancelControl);
    m_cancel->owner().setNotifyTarget(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_button);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

CDeviceSearchDlg::~CDeviceSearchDlg() {
    cancelSearch();
    joinWorker();
}

void CDeviceSearchDlg::startSearch() {
    if (m_search)
        return;
    m_result = {};
    m_search = std::make_unique<ks::CDeviceSearch>(m_link, m_options);
    m_observer = std::make_unique<Observer>(this);
    m_running = true;
    // Nothing else touches the link meanwhile: the dialog is modal and its owner waits.
    m_worker = std::thread([this] {
        const ks::DeviceSearchResult result = m_search->run(m_observer.get());
        m_observer->ended(result);
    });
}

void CDeviceSearchDlg::cancelSearch() {
    if (m_search && m_running) {
        m_search->cancel();
        m_link.cancel(); // ends the try that waits now
    }
}

void CDeviceSearchDlg::joinWorker() {
    if (m_worker.joinable())
        m_worker.join();
    m_link.resetCancel();
}

void CDeviceSearchDlg::finish(const ks::DeviceSearchResult& result) {
    joinWorker();
    m_result = result;
    m_running = false;
    m_ended = true;
    m_progress->setValue(m_progress->maximum());
    m_cancel->hide();
    m_button->setText(QStringLiteral("Ok"));
    m_button->show();
    m_button->setDefault(true);
    m_button->setFocus(Qt::OtherFocusReason);
    emit searchEnded();
}

QString CDeviceSearchDlg::captionLine() const {
    return m_caption->text();
}

QString CDeviceSearchDlg::statusText() const {
    return m_status->text();
}

void CDeviceSearchDlg::showEvent(QShowEvent* e) {
    CDialogKS::showEvent(e);
    if (!e->spontaneous() && !m_search)
        QTimer::singleShot(0, this, [this] { startSearch(); });
}

bool CDeviceSearchDlg::event(QEvent* e) {
    if (e->type() == CKsEvent::typeOf(kButtonClick)) {
        const auto control = static_cast<CKsEvent*>(e)->wParam();
        if (control == kCancelControl)
            cancelSearch();
        else if (control == kButtonControl && m_ended)
            accept();
        return true;
    }
    return CDialogKS::event(e);
}

void CDeviceSearchDlg::reject() {
    // Closing the window while the search runs stops it first (within one time-out).
    if (m_running) {
        cancelSearch();
        joinWorker();
        m_running = false;
        m_result = {};
        m_result.cancelled = true;
    }
    CDialogKS::reject();
}

} // namespace ks::gui
