#pragma once

#include "framework/FieldList.h"
#include "measurement/graph/GraphField.h"

namespace ks {

// The ESC view of one chord: its delta-T and transit time plotted as they come, their running
// means, the chord's two gains and the water temperature its sound speed implies.

// The view's graphs: 200 points each, labels in "%0.2f".
GraphFieldSettings escDeltaTGraphSettings();  // initial range -0.5 .. 0.5 ns
GraphFieldSettings escTransitGraphSettings(); // initial range 60.5 .. 61.5 µs

// What one measurement block brings a view.
struct EscInputs {
    double deltaT = 0;     // ns, full precision
    double transit = 0;    // µs, full precision
    double gainUp = 0;     // dB
    double gainDown = 0;   // dB
    double soundSpeed = 0; // m/s
};

// The inputs of chord 1 or 2 from the measurement dialog's fields.
EscInputs escInputs(const CFieldList& measureFields, int chord);

// What a view shows beside its graphs.
struct EscReadings {
    double deltaTMean = 0;
    double transitMean = 0;
    double gainUp = 0;
    double gainDown = 0;
    double waterTemperature = 0;
};

// Appends the values to the graphs and narrows each graph's range to the tenths around its
// values; the readings to show.
EscReadings feedEsc(GraphField& deltaT, GraphField& transit, const EscInputs& in);

// The range a graph gets around its values: floor(10 m) / 10 .. ceil(10 M) / 10, one tenth
// wide at least. Nothing to plot: the range stays.
void narrowEscRange(GraphField& graph);

// The view's fields (template 134) and the readings written into them.
void registerEscFields(CFieldList& fields);
void showEscReadings(CFieldList& fields, const EscReadings& readings);

// Caption text of the view of chord 1 or 2: "Corde n", or "Conduite n" in a two-pipe meter.
int escCaptionText(int chord, int applicationType);

} // namespace ks
