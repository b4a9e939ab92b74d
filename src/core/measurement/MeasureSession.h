#pragma once

#include "framework/BlockFields.h"
#include "framework/FieldList.h"
#include "link/JBusRequest.h"
#include "measurement/MeasureAcquisition.h"
#include "measurement/MeasureDerived.h"
#include "measurement/MeasureDisplay.h"
#include "measurement/MeasureOptions.h"
#include "measurement/graph/GraphField.h"

#include <functional>

namespace ks {

class CProbeNameTable;

// The measurement dialog without its widgets: the reply step and what follows a decoded
// block (graph range and layout after the full scale; graph point, graph history, ESC views
// and display refresh after a measurement block). The dialog drives it from its frame hook
// and mirrors the fields; the command-line tool drives it from its polling loop.
class CMeasureSession {
public:
    // What the owner adds at the points of a frame where widgets take part.
    struct Hooks {
        std::function<void()> graphChanged; // after the point: repaint the graph
        std::function<void()> escUpdate;    // create and feed the ESC views
        std::function<void()> refreshed;    // after the display refresh: mirror the fields
    };

    // The flow graph's settings: 200 points, "%0.1f" labels, redrawn once per measurement.
    static GraphFieldSettings flowGraphSettings();

    // fields: the dialog's list, already registered (registerMeasureFields and the borrowed
    // groups); blocks: decoding into those fields; graph: the flow graph.
    CMeasureSession(CFieldList& fields, CBlockFields& blocks, GraphField& graph,
                    const MeasureOptions& options, const CProbeNameTable* probes);

    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    CMeasureAcquisition& acquisition() { return m_acquisition; }
    CMeasureDisplay& display() { return m_display; }
    const CMeasureDisplay& display() const { return m_display; }
    const MeasureOptions& options() const { return m_options; }
    GraphField& graph() { return m_graph; }

    // The reply step for one notification: request is the worker's stored request, its
    // data the reply; replaced in place when the next exchange is another one. 0 for a
    // measurement (and the answered exchanges of a totaliser command), -1 otherwise.
    CMeasureAcquisition::Result onFrame(JBusRequest& request);

    // Arms the totaliser command (both totalisers reset) for the next exchange.
    void armTotaliserReset();

    // The graph's range from the full scale just read and the options.
    GraphRange currentGraphRange() const;
    // The graph's points as the sample's pseudo-block keeps them.
    const Bytes& graphHistory() const { return m_history; }
    // Measurement blocks decoded since the session began.
    long long measurementCount() const { return m_measurements; }

    // Shows stored samples: the graph takes its unit, range and points from the fields and
    // the history image (replay from a file).
    void replayGraph(const Bytes& historyImage);

private:
    void afterFullScale();
    void afterMeasurement();
    void setGraphUnit();

    CFieldList& m_fields;
    GraphField& m_graph;
    MeasureOptions m_options;
    CMeasureAcquisition m_acquisition;
    CMeasureDisplay m_display;
    Hooks m_hooks;
    Bytes m_history;
    long long m_measurements = 0;
};

} // namespace ks
