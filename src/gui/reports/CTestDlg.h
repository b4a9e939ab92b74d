#pragma once

#include "framework/DeviceDlg.h"
#include "reports/TestLoop.h"
#include "reports/TestReportFiles.h"
#include "settings/KeptBlockImages.h"

#include <QPointer>

class QLabel;

namespace ks::gui {

// The bench test of a meter (template 135, "&Test KSN"): shows the meter's identity, its
// analogue output points and per channel the gain, quality, transmit/receive mode, polarity
// and margin; the Test button transfers the modes, measures until chord 1's quality reaches
// 100 (at most 20 s, one progress step a second), reads the echo tables and writes the test
// report, which then goes to the spreadsheet program.
class CTestDlg : public CDeviceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 135;
    // The pause between two measurement reads, as the cyclic reading's period.
    static constexpr int kPeriodMs = 500;

    CTestDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr);

    // Runs the test as the Test button does, messages included; what it came to.
    ks::CTestLoop::Result runTest();
    // The last report written ("" when none).
    const ks::TestReportResult& lastReport() const { return m_report; }
    // Where the report goes; the configuration's by default.
    void setReportRequest(const ks::TestReportRequest& request) { m_request = request; }
    // Pause between measurement reads (tests shorten it).
    void setPeriodMs(int ms) { m_periodMs = ms; }

protected:
    void onInitDialog() override;
    void onShown() override;
    void onButton(int control) override;
    int decodeBlock(int blockCode, const ks::Bytes& bytes) override;

private:
    void showChannels();
    void handOff();

    ks::CKeptBlockImages m_kept;
    ks::TestReportRequest m_request;
    ks::TestReportResult m_report;
    QPointer<QLabel> m_status;
    int m_periodMs = kPeriodMs;
};

} // namespace ks::gui
