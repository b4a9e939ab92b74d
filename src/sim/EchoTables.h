#pragma once

#include "sim/RegisterImage.h"

namespace ks::sim {

// What the meter's echo tables (block 0x0B00) hold for one chord right now.
struct ChordEcho {
    double gainDb = 0;    // the receiver's gain
    double transitUs = 0; // the chord's transit time
    int polarity = 1;     // 0 inverse, 1 normal: the table of the polarity in use is the longer
    bool lost = false;    // a chord in fault has no echo: both tables empty
};

// Rewrites the two tables of chord 0 or 1: rows whose minimum gains sit just below the
// chord's gain and whose times lie around its transit time; the rows after the last are
// cleared, so a table ends where the meter's would.
void writeEchoTables(CRegisterImage& image, int chord, const ChordEcho& echo);

// Clears both tables of a chord the meter does not have.
void clearEchoTables(CRegisterImage& image, int chord);

} // namespace ks::sim
