#pragma once

#include "link/ModemDialler.h"
#include "link/ModemJob.h"
#include "shell/DialogKS.h"

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ks {
class CJBusLink;
}

namespace ks::gui {

// Dials the meter's modem, or hangs it up, and shows the exchange with the modem as it
// goes. The modem's replies are awaited on the job's thread, so the window stays alive and
// Cancel breaks the run off at once. Accepted when the call stands (dial) or the modem
// confirmed the hang-up.
class CModemDlg : public CDialogKS, public ks::CModemJobObserver {
    Q_OBJECT

public:
    enum class Mode { Connect, Disconnect };
    static constexpr int kTemplate = 110;
    static constexpr int kStatusControl = 1228;
    static constexpr int kProgressControl = 1581;
    static constexpr int kCancelControl = 1600;

    CModemDlg(Mode mode, ks::CJBusLink& link, QWidget* parent = nullptr,
              ks::ModemTimeouts timeouts = {});
    ~CModemDlg() override;

    QString statusText() const;
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* cancelButton() const { return m_cancel; }
    bool timerRunning() const;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void modemStep(ks::CModemJob& job, int step, const std::string& text) override;
    void start();
    void onStep(int step, const std::string& text);
    void startHangUp();
    void finish(int result, int waitMs);
    void append(const std::string& text);

    Mode m_mode;
    ks::CJBusLink& m_link;
    ks::ModemCommandSet m_commands;
    int m_port = 1;
    int m_baudIndex = 5;
    std::unique_ptr<ks::CModemJob> m_job;
    bool m_started = false;
    bool m_ending = false;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_cancel;
    QTimer* m_timer;
};

} // namespace ks::gui
