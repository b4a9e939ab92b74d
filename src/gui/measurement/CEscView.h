#pragma once

#include "framework/DeviceDlg.h"
#include "measurement/EscFeed.h"

namespace ks {
class CGraphWnd;
}

namespace ks::gui {

// The ESC view of one chord (template 134): a companion window of the measurement dialog that
// plots the chord's delta-T and transit time as they come, with their running means, the
// chord's upstream and downstream gains and the water temperature its sound speed implies.
// It reads nothing from the meter itself: the measurement dialog feeds it.
class CEscView : public CDeviceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 134;

    // Created hidden at the top-left of the screen; the creator sets the caption.
    CEscView(ks::CJBusLink& link, QWidget* parent);

    // One measurement block's values for this chord.
    void feed(const ks::EscInputs& inputs);

    CGraphWnd* deltaTGraph() const { return m_deltaT; }
    CGraphWnd* transitGraph() const { return m_transit; }

protected:
    void onInitDialog() override;

private:
    CGraphWnd* m_deltaT;
    CGraphWnd* m_transit;
};

} // namespace ks::gui
