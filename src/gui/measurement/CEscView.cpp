#include "measurement/CEscView.h"

#include "app/QtText.h"
#include "measurement/MeasureIds.h"
#include "measurement/graph/CGraphWnd.h"
#include "shell/DialogModes.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ks::gui {

namespace {

namespace id = ks::measure::id;

} // namespace

CEscView::CEscView(ks::CJBusLink& link, QWidget* parent)
    : CDeviceDlg(kTemplate, ks::dialogmode::kDialogue, link, parent),
      m_deltaT(new CGraphWnd(ks::escDeltaTGraphSettings(), this)),
      m_transit(new CGraphWnd(ks::escTransitGraphSettings(), this)) {
    ks::registerEscFields(fields());
    setBodyTemplate({tpl::field(id::kEscDeltaTMean), tpl::field(id::kEscTransitMean),
                     tpl::field(id::kEscGainUp), tpl::field(id::kEscGainDown),
                     tpl::field(id::kEscWaterTemperature)});
    for (CGraphWnd* g : {m_deltaT, m_transit})
        g->setMinimumSize(260, 110);
    setModal(false);
    move(0, 0);
}

void CEscView::onInitDialog() {
    // The graphs above the values, in the order of the template.
    contentLayout()->insertWidget(0, m_deltaT, 1);
    contentLayout()->insertWidget(1, m_transit, 1);
    // The graph labels carry the unit of their field.
    const struct {
        CGraphWnd* graph;
        int field;
    } graphs[] = {{m_deltaT, id::kEscDeltaTGraph}, {m_transit, id::kEscTransitGraph}};
    for (const auto& g : graphs)
        if (const ks::CField* f = fields().find(g.field))
            g.graph->field().setUnit(f->unit());
}

void CEscView::feed(const ks::EscInputs& inputs) {
    initialise();
    const ks::EscReadings r = ks::feedEsc(m_deltaT->field(), m_transit->field(), inputs);
    ks::showEscReadings(fields(), r);
    m_deltaT->redraw();
    m_transit->redraw();
    refreshFields();
}

} // namespace ks::gui
