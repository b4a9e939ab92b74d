#include "measurement/MeasureSession.h"

#include "measurement/GraphHistory.h"
#include "measurement/MeasureIds.h"

#include <cmath>

namespace ks {

namespace {

namespace id = measure::id;

// The write that resets both totalisers: bit 16 the first, bit 0 the second.
constexpr double kResetBothTotalisers = 65537;

} // namespace

GraphFieldSettings CMeasureSession::flowGraphSettings() {
    return {200, -1.0, 1.0, "%0.1f", "point"};
}

CMeasureSession::CMeasureSession(CFieldList& fields, CBlockFields& blocks, GraphField& graph,
                                 const MeasureOptions& options, const CProbeNameTable* probes)
    : m_fields(fields), m_graph(graph), m_options(options), m_acquisition(blocks, fields),
      m_display(fields, probes) {
    m_display.setApplicationSetting(options.application);
}

CMeasureAcquisition::Result CMeasureSession::onFrame(JBusRequest& request) {
    const CMeasureAcquisition::Result r = m_acquisition.step(request);
    if (r.outcome == CMeasureAcquisition::Outcome::FullScale)
        afterFullScale();
    else if (r.outcome == CMeasureAcquisition::Outcome::Measurement)
        afterMeasurement();
    return r;
}

void CMeasureSession::armTotaliserReset() {
    if (CField* f = m_fields.find(id::kTotaliserCommand))
        f->setNumber(kResetBothTotalisers);
    m_acquisition.armWrite();
}

GraphRange CMeasureSession::currentGraphRange() const {
    const CField* f = m_fields.find(id::kFullScale);
    return graphRange(f ? f->number() : 0.0, m_options.graphMinimum, m_options.graphMaximum);
}

void CMeasureSession::afterFullScale() {
    m_display.requestLayout();
    const GraphRange range = currentGraphRange();
    m_graph.setRange(range.minimum, range.maximum);
}

void CMeasureSession::setGraphUnit() {
    if (m_options.application == measure::kSpeedApplication) {
        m_graph.setUnit(std::string("m/s"));
        return;
    }
    const CField* unit = m_fields.find(id::kFlowUnit);
    m_graph.setUnit(unit ? unit->listTexts() : std::vector<std::string>{},
                    unit ? static_cast<int>(std::lround(unit->number())) : -1);
}

void CMeasureSession::afterMeasurement() {
    ++m_measurements;
    if (CField* g = m_fields.find(id::kGraph))
        g->show(true);
    setGraphUnit();
    const bool speed = m_options.application == measure::kSpeedApplication;
    const CField* value = m_fields.find(speed ? id::kMeanVelocity : id::kFlow);
    m_graph.addPoint(value ? value->number() : kMissingValue);
    m_graph.update();
    if (m_hooks.graphChanged)
        m_hooks.graphChanged();
    m_history = graphHistoryImage(m_graph.points());
    if (CField* status = m_fields.find(id::kCommunicationStatus))
        status->setNumber(0);
    if (m_hooks.escUpdate)
        m_hooks.escUpdate();
    m_display.refresh(0);
    if (m_hooks.refreshed)
        m_hooks.refreshed();
}

void CMeasureSession::replayGraph(const Bytes& historyImage) {
    setGraphUnit();
    const GraphRange range = currentGraphRange();
    m_graph.setRange(range.minimum, range.maximum);
    m_graph.setPoints(graphHistoryPoints(historyImage));
    m_history = historyImage;
    m_graph.update();
    if (m_hooks.graphChanged)
        m_hooks.graphChanged();
}

} // namespace ks
