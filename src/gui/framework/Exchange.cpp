#include "framework/Exchange.h"

#include "controls/CButtonKS.h"
#include "framework/BusyWnd.h"
#include "link/JBusLink.h"
#include "link/ResultCodes.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace ks::gui {

static_assert(CExchange::kCancelled == ks::LINK_CANCELLED);

namespace {

std::atomic<int> g_workers{0};
// Set when an event loop was ended under a running exchange: the program is quitting, and
// nothing may talk to the meter any more.
std::atomic<bool> g_quitting{false};

// Greys the contents of every shown window but the busy one (and the owner, if asked) and
// gives them back as they were.
class Greying {
public:
    Greying(QWidget* spareWindow, QWidget* busy) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w == spareWindow || w == busy ||
                qobject_cast<CBusyWnd*>(w) != nullptr)
                continue;
            for (QObject* c : w->children()) {
                auto* child = qobject_cast<QWidget*>(c);
                if (child != nullptr && !child->isWindow() && child->isEnabled()) {
                    child->setEnabled(false);
                    m_greyed.emplace_back(child);
                }
            }
        }
    }
    ~Greying() {
        for (const QPointer<QWidget>& w : m_greyed)
            if (w)
                w->setEnabled(true);
    }
    Greying(const Greying&) = delete;
    Greying& operator=(const Greying&) = delete;

private:
    std::vector<QPointer<QWidget>> m_greyed;
};

} // namespace

struct CExchange::Run {
    std::function<void()> cancel;
    std::thread worker;
    bool cancelled = false;

    void cancelNow() {
        if (cancelled)
            return;
        cancelled = true;
        if (cancel)
            cancel();
    }
};

CExchange::CExchange(QWidget* owner, int language) : m_owner(owner), m_language(language) {}

CExchange::~CExchange() {
    *m_alive = false;
    if (m_current != nullptr) {
        m_current->cancelNow();
        if (m_current->worker.joinable())
            m_current->worker.join();
    }
}

int CExchange::workersAlive() {
    return g_workers.load();
}

QString CExchange::cancelText(int language) {
    static const char* const kCancel[] = {"Annuler", "Cancel", "Cancelar", "Abbrechen", "Cancelar"};
    return QString::fromUtf8(kCancel[std::clamp(language, 1, 5) - 1]);
}

void CExchange::cancel() {
    if (m_current != nullptr)
        m_current->cancelNow();
}

void CExchange::abandon() {
    m_abandoned = true;
    cancel();
}

void CExchange::refuseUntilIdle() {
    m_refusing = true;
    // Runs once the caller is back in an event loop: refused exchanges never enter one.
    QObject* context = m_owner ? static_cast<QObject*>(m_owner.data()) : qApp;
    QTimer::singleShot(0, context, [this, alive = std::weak_ptr<bool>(m_alive)] {
        if (auto a = alive.lock(); a && *a)
            m_refusing = false;
    });
}

int CExchange::run(const std::function<int()>& work, const std::function<void()>& cancel,
                   Options options) {
    if (m_abandoned || m_refusing || g_quitting.load())
        return kCancelled;
    if (m_running)
        return ks::LINK_BUSY; // one exchange at a time per window

    Run current;
    current.cancel = cancel;
    m_current = &current;
    m_running = true;
    const std::shared_ptr<bool> alive = m_alive;

    QWidget* ownerWindow = m_owner ? m_owner->window() : nullptr;
    QPointer<CBusyWnd> busy = options.busy;
    QPointer<CButtonKS> cancelButton =
        busy ? busy->button(CBusyWnd::kExitControl) : static_cast<CButtonKS*>(nullptr);
    QString buttonText;
    bool buttonShown = false;
    QMetaObject::Connection clicked;
    if (cancelButton) {
        buttonText = cancelButton->text();
        buttonShown = cancelButton->isVisible();
        cancelButton->setText(cancelText(m_language));
        cancelButton->show();
        clicked =
            QObject::connect(cancelButton, &QPushButton::clicked, cancelButton, [this, alive] {
                if (*alive)
                    this->cancel();
            });
    }

    int result = -1;
    std::atomic<bool> finished{false};
    {
        Greying greying(options.greyOwner ? nullptr : ownerWindow, busy);
        QEventLoop loop;
        ++g_workers;
        current.worker = std::thread([&] {
            result = work();
            finished.store(true);
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
            --g_workers;
        });
        while (!finished.load()) {
            loop.exec();
            if (!finished.load()) {
                // Someone ended every event loop: the program quits under this exchange.
                g_quitting.store(true);
                current.cancelNow();
                break;
            }
        }
        if (current.worker.joinable())
            current.worker.join();
    }
    if (!*alive)
        return kCancelled; // the window went while its exchange ran

    if (cancelButton) {
        QObject::disconnect(clicked);
        cancelButton->setText(buttonText);
        cancelButton->setVisible(buttonShown);
    }
    m_current = nullptr;
    m_running = false;
    if (current.cancelled) {
        refuseUntilIdle();
        return kCancelled;
    }
    return result;
}

int CExchange::runOnLink(ks::CJBusLink& link, const std::function<int()>& work, CBusyWnd* busy) {
    if (m_abandoned || m_refusing || g_quitting.load())
        return kCancelled;
    link.resetCancel();
    Options options;
    options.busy = busy;
    const int code = run(
        work, [&link] { link.cancel(); }, options);
    if (code == kCancelled)
        link.close(); // whatever was half-said on the line is given up
    link.resetCancel();
    return code;
}

} // namespace ks::gui
