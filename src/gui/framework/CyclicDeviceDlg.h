#pragma once

#include "framework/DeviceDlg.h"
#include "framework/RecordPager.h"
#include "link/JBusRequest.h"

#include <QEvent>
#include <QPointer>

#include <memory>
#include <vector>

namespace ks::gui {

// Hands each polled frame to a dialog: posts WM_NEW_TRAME to it from the polling worker's
// thread. The dialog acknowledges when it has handled the frame.
class CNewFrameSink : public ks::CFrameSink {
public:
    explicit CNewFrameSink(QObject* target) : m_target(target) {}
    void postNewFrame() override;

private:
    QObject* m_target;
};

// The base of the dialogs that read the meter cyclically (the measurement dialog). The
// polling worker repeats one request; after each exchange the dialog gets WM_NEW_TRAME, runs
// frameHook() (which looks at polledRequest() and may set the next request), and
// acknowledges, after which the worker sleeps its period and polls again.
//
//   int CMeasureDlg::frameHook() {
//       const ks::JBusRequest r = polledRequest();
//       if (r.result != 0) return -1;
//       decodeBlock(r.address, r.data);   // and choose the next block with setPolledRequest
//       return 0;
//   }
//   void CMeasureDlg::onShown() {
//       if (startCyclicReading(connection().slave, 3, 0x1111, 2, 500, 2) != 0) close();
//   }
//
// A recording can be paged through with the page buttons (1602 first, 1613 previous, 1619
// next, 1605 last) once a record source is set.
class CCyclicDeviceDlg : public CDeviceDlg {
    Q_OBJECT

public:
    static constexpr char kNewFrameMessage[] = "WM_NEW_TRAME";
    static constexpr int kPrintButton = 1607;
    static constexpr int kRecordButton = 1617;
    // Communication status values.
    static constexpr int kCommunicationGood = 0;
    static constexpr int kCommunicationFailed = 2;

    CCyclicDeviceDlg(int templateNumber, int mode, ks::CJBusLink& link, QWidget* parent = nullptr);
    ~CCyclicDeviceDlg() override;

    static QEvent::Type newFrameEventType();

    // Reads the identification block, checks the firmware and starts the polling worker.
    // 0, or -1 after the reason was shown (nothing is polled then).
    int startCyclicReading(int slave, int function, int address, int count, int periodMs,
                           int itemSize);
    // Acknowledges a pending frame and stops the worker (closing the dialog does it too).
    void stopCyclicReading();
    bool isPolling();
    // Lets the worker poll again.
    void acknowledge();
    // The polled request with the last exchange's result and data; the next one to poll.
    ks::JBusRequest polledRequest();
    void setPolledRequest(const ks::JBusRequest& request);

    // The field that shows the state of the communication (0 good, 2 failed); 0: none.
    void setCommunicationStatusField(int id) { m_statusField = id; }

    // Pages through a recording: its records and the blocks of one sample, in order.
    void setRecordSource(ks::CRecordSource* source, std::vector<int> blockList);
    ks::CRecordPager* pager() const { return m_pager.get(); }
    // Shows the page a page button leads to: 0, or -1 when it does not exist or cannot be
    // read (display and buttons then stay as they were).
    int showPage(ks::PageButton button);
    // The recording status text of the last page shown.
    QString recordStatusText() const;

    // How many times the loss of the port was told (once per loss), and the box telling it.
    int portLossReports() const { return m_portLossReports; }
    QWidget* portLostBox() const { return m_portLostBox.data(); }

    // Handles WM_NEW_TRAME; a notification that arrives while one is being handled is
    // dropped (the worker waits for the first one's acknowledgement anyway).
    void onNewFrame();

    // The texts a recording and its hand-over to a spreadsheet need from the dialog: the
    // header line of a record file, the line of one record, the transfer file's content.
    virtual QString headerTextHook() const { return {}; }
    virtual QString recordTextHook() const { return {}; }
    virtual QString transferTextHook() const { return {}; }

public slots:
    // Ends the dialog; the worker stops first.
    void done(int result) override;

protected:
    // Hooks a derived dialog fills in.
    virtual void refreshHook() {}
    // The polled exchange: 0 for a good frame, -1 for a failed one.
    virtual int frameHook() { return 0; }
    // Runs the page change; the base decodes the page's records and refreshes.
    virtual int showPageHook(ks::PageButton button);
    // After a good frame (the print and record buttons are shown first): the recording step.
    virtual void recordStep() {}

    void onButton(int control) override;
    bool event(QEvent* event) override;

private:
    static constexpr int kWarningCaptionText = 8; // "Attention"
    // A lost port is told once, in a box that closes by itself when the port is back.
    void reportPortState(int linkResult);
    void showButton(int control);
    void applyPageButtons();

    CNewFrameSink m_sink;
    bool m_inFrame = false;
    bool m_started = false;
    int m_statusField = 0;
    bool m_portLost = false;
    int m_portLossReports = 0;
    QPointer<QWidget> m_portLostBox;
    std::unique_ptr<ks::CRecordPager> m_pager;
};

} // namespace ks::gui
