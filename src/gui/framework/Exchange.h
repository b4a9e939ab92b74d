#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace ks {
class CJBusLink;
}

namespace ks::gui {

class CBusyWnd;

// Runs one exchange with the meter (or any long piece of work) on a worker thread while the
// window's thread keeps its event loop running, and hands the result back as if the call
// had been made directly: the caller's code stays sequential, and its messages, questions
// and file dialogs stay on the window's thread, in order.
//
// While the work runs, the contents of every other window of the program are greyed (and
// the owner's own contents, unless told otherwise), so that nothing starts a second
// exchange; a busy window, when given, shows its Exit button as Cancel in the owner's
// language. Cancel, closing the owner (abandon()) and quitting the program all end the
// work through its cancel callable; for the link that ends the transaction within one
// first-byte time-out, closes the link and leaves it free.
//
// One per window. Typical use in a dialog (CDeviceDlg does this for its block services):
//
//   CExchange m_exchange{this, language()};
//   ...
//   showBusy();
//   Bytes data;
//   const int code = m_exchange.runOnLink(link(), [&] {
//       return link().transaction(slave, 3, 0x1100, 41, data, 2);   // on the worker
//   }, busyWindow());
//   hideBusy();
//   if (code == CExchange::kCancelled) return;        // the user asked: no message
//   if (code != 0) errorBox(118);                     // on the window's thread
//
// The work must not touch widgets. After a cancel, every exchange started before the
// window's event loop gets control back is refused with kCancelled, so a chain of writes
// stops even where its code does not test each result; after abandon() every later one is.
class CExchange {
public:
    static constexpr int kCancelled = 254; // LINK_CANCELLED

    struct Options {
        CBusyWnd* busy = nullptr; // shows Cancel on its Exit button while the work runs
        bool greyOwner = true;    // false: the owner keeps its own Cancel alive
    };

    CExchange(QWidget* owner, int language);
    // Cancels and waits for a running worker.
    ~CExchange();
    CExchange(const CExchange&) = delete;
    CExchange& operator=(const CExchange&) = delete;

    void setLanguage(int language) { m_language = language; }

    // Runs work on a worker thread and returns its result; cancel is called on this thread
    // when the user cancels, the owner closes or the program quits, and must make work end
    // soon. kCancelled when refused, or when work was cancelled (whatever work returned).
    int run(const std::function<int()>& work, const std::function<void()>& cancel, Options options);
    // The same for an exchange on the link: cancelling reaches the transaction, and a
    // cancelled exchange leaves the link closed.
    int runOnLink(ks::CJBusLink& link, const std::function<int()>& work, CBusyWnd* busy = nullptr);

    // As the Cancel button.
    void cancel();
    // The owner is closing: cancels a running exchange and refuses every later one.
    void abandon();
    bool isRunning() const { return m_running; }
    bool isAbandoned() const { return m_abandoned; }

    // Worker threads alive in the program (tests look that none is left behind).
    static int workersAlive();
    // The Cancel text in a language (1 French .. 5 Spanish).
    static QString cancelText(int language);

private:
    struct Run;
    void refuseUntilIdle();

    QPointer<QWidget> m_owner;
    int m_language;
    bool m_running = false;
    bool m_abandoned = false;
    bool m_refusing = false;
    Run* m_current = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace ks::gui
