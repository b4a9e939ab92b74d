#pragma once

#include "link/DeviceSearch.h"
#include "shell/DialogKS.h"

#include <memory>
#include <thread>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ks {
class CJBusLink;
}

namespace ks::gui {

class CButtonKS;

// Finds the meter: tries every serial port, on each the baud rates from the fastest down, with
// a broadcast read of the identification block, and shows how far it got. The search starts
// when the dialog is shown and runs on a thread of its own, so the window stays alive and its
// Cancel button stops the search within one time-out (nothing is found then). When it ends,
// the button below turns into "Ok" and closes the dialog.
//
// The link belongs to the search while it runs; it is left closed.
class CDeviceSearchDlg : public CDialogKS {
    Q_OBJECT

public:
    static constexpr int kTemplate = 131;
    static constexpr int kCaptionControl = 1584;
    static constexpr int kProgressControl = 1581;
    static constexpr int kStatusControl = 1585;
    static constexpr int kButtonControl = 1618;
    static constexpr int kCancelControl = 2;

    CDeviceSearchDlg(ks::CJBusLink& link, int address, int count, int slaveOffset, int baudLimit,
                     QWidget* parent = nullptr);
    ~CDeviceSearchDlg() override;

    // The COM numbers to try (all ports of the link's port table when empty) and the
    // time-out of each try.
    void setPorts(std::vector<int> ports) { m_options.ports = std::move(ports); }
    void setTimeout(int ms) { m_options.timeoutMs = ms; }
    int baudLimit() const { return m_options.baudLimit; }

    // Starts the search (showing the dialog does it); once.
    void startSearch();
    // Asks the running search to stop.
    void cancelSearch();
    bool isRunning() const { return m_running; }
    bool hasEnded() const { return m_ended; }

    // Read after the search: the found baud index is -1 when nothing was found.
    int foundPort() const { return m_result.port; }
    int foundBaudIndex() const { return m_result.baudIndex; }
    int foundSlave() const { return m_result.slave; }
    bool wasCancelled() const { return m_result.cancelled; }

    QString captionLine() const;
    QString statusText() const;
    QProgressBar* progressBar() const { return m_progress; }
    CButtonKS* endButton() const { return m_button; }
    CButtonKS* cancelButton() const { return m_cancel; }

signals:
    void searchEnded();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    class Observer;
    void finish(const ks::DeviceSearchResult& result);
    void joinWorker();

    ks::CJBusLink& m_link;
    ks::DeviceSearchOptions m_options;
    std::unique_ptr<ks::CDeviceSearch> m_search;
    std::unique_ptr<Observer> m_observer;
    std::thread m_worker;
    ks::DeviceSearchResult m_result;
    bool m_running = false;
    bool m_ended = false;
    QLabel* m_caption;
    QProgressBar* m_progress;
    QLabel* m_status;
    CButtonKS* m_button;
    CButtonKS* m_cancel;
};

} // namespace ks::gui
