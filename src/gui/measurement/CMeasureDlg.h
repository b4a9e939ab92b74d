#pragma once

#include "framework/CyclicDeviceDlg.h"
#include "measurement/MeasureSession.h"

#include <QPointer>

#include <array>
#include <memory>

namespace ks {
class CGraphWnd;
}

namespace ks::gui {

class CEscView;

// The measurement dialog (template 121): the meter's measurements, live. The polling worker
// reads the flow full scale, the start-up blocks and then the measurement block every 500 ms;
// each reply goes through the measurement session (core), which decides what the fields
// show; the dialog mirrors the fields into its widgets, paints the flow graph and feeds the
// ESC views of the chords.
class CMeasureDlg : public CCyclicDeviceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 121;
    static constexpr int kPeriodMs = 500;

    CMeasureDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr);
    ~CMeasureDlg() override;

    ks::CMeasureSession& session() { return *m_session; }
    CGraphWnd* graph() const { return m_graph; }
    // The ESC view of chord 1 or 2; nullptr until a measurement created it.
    CEscView* escView(int chord) const;

    // The work of one WM_NEW_TRAME without the framework around it (benchmarks): the reply
    // step, graph point, ESC views, display rules and widgets.
    int handleFrame(ks::JBusRequest& request);

    std::vector<ks::PrintLine> printLines() const override;

protected:
    void onInitDialog() override;
    void onShown() override;
    int frameHook() override;
    void refreshHook() override;
    void onButton(int control) override;
    // The recording of a sample after a good frame; recordings come with their own dialog
    // work and are not made here yet.
    void recordStep() override {}

private:
    void mirror();
    int numberOf(int fieldId) const;
    void updateEscViews();
    void toggleEscViews();
    void printWithEscViews();
    void setButtonShown(int control, bool shown);

    CGraphWnd* m_graph;
    std::unique_ptr<ks::CMeasureSession> m_session;
    std::array<QPointer<CEscView>, 2> m_esc;
};

} // namespace ks::gui
