#pragma once

namespace ks {

// Values the measurement dialog derives from what the meter sends.

// 1 one chord, 2 two chords, 3 two pipes: the second-chord flag wins over the two-pipe flag.
int applicationType(int secondChordFlag, int twoPipesFlag);

// Entry of the fault list (0 "Pas de Défaut", 1 "Défaut Q", 2 "Défaut V1", 3 "Défaut V2",
// 4 "Défaut V") from the fault flags, the number of chords and the "Application" option.
// Bit 0 (flow) wins over bit 1 (chord 1), which wins over bit 2 (chord 2, a two-chord fault
// only).
int faultCode(int faultFlags, int chordCount, int applicationSetting);

// Sound speed of water at a temperature, m/s.
double waterSoundSpeed(double celsius);

// The temperature of water in which sound travels at that speed, found by bisection on
// 0 .. 74 °C to within 0.001 m/s: -99 below the speed at 0 °C (or for a speed that is no
// number), 99 above the speed at 74 °C.
double waterTemperature(double soundSpeed);

struct GraphRange {
    double minimum = 0;
    double maximum = 0;
    bool operator==(const GraphRange&) const = default;
};

// The flow graph's range from the flow full scale F and the "Min Graph" / "Max Graph"
// options (0 -> -F, 1 -> 0, 2 -> +F; an option outside 0..2 counts as its default).
GraphRange graphRange(double fullScale, int minimumOption, int maximumOption);

} // namespace ks
