#pragma once

#include "framework/FieldList.h"
#include "link/JBusFrame.h"

#include <array>
#include <string>
#include <vector>

namespace ks {

// One grid of the echo table dialog: empty (no title row) for a chord the meter lacks,
// otherwise the four titles and one row per echo, up to the first empty row.
struct EchoGrid {
    std::vector<std::string> titles; // polarity name, "Nombre", "Gain Min(dB)", "Valeur(µs)"
    std::vector<std::vector<std::string>> rows; // row number, count, minimum gain, time
};

// Where the four tables lie in block 0x0B00, in grid order: chord 1 "Inverse", chord 1
// "Normal", chord 2 "Inverse", chord 2 "Normal".
inline constexpr std::array<int, 4> kEchoTableOffsets{0, 60, 124, 184};

// Fills the four grids from the block's image through the row fields of the echo table's
// list (they take each 6-byte row in turn), for as many chords as the list's chord count
// says. A table ends at its first row with a count of 0, and at the latest after ten rows.
std::array<EchoGrid, 4> fillEchoGrids(CFieldList& fields, const Bytes& image);

} // namespace ks
