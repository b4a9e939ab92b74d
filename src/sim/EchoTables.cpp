#include "sim/EchoTables.h"

#include "sim/BlockMap.h"
#include "sim/MeterLayout.h"

#include <algorithm>
#include <cmath>

namespace ks::sim {

namespace {

namespace E = layout::echo;

struct Row {
    int count;
    int gainBelow; // dB under the chord's gain
    double offsetUs;
};

// The polarity in use holds four echoes, the other one two.
constexpr Row kInUse[] = {{8, 10, -1.5}, {6, 6, -0.5}, {5, 3, 0.0}, {2, 1, 1.0}};
constexpr Row kOther[] = {{4, 5, -1.0}, {3, 2, 0.5}};

int chordBase(int chord) {
    return chord == 0 ? E::kChord1 : E::kChord2;
}

void clearTable(CRegisterImage& im, int at) {
    for (int i = 0; i < E::kRows * E::kRowSize; ++i)
        im.setU8(kEchoBlock, at + i, 0);
}

void fillTable(CRegisterImage& im, int at, const Row* rows, int n, const ChordEcho& e) {
    clearTable(im, at);
    const int gain = static_cast<int>(std::lround(std::clamp(e.gainDb, 0.0, 127.0)));
    for (int i = 0; i < n; ++i) {
        const int row = at + i * E::kRowSize;
        im.setU8(kEchoBlock, row, rows[i].count);
        im.setU8(kEchoBlock, row + 1, std::max(gain - rows[i].gainBelow, 0));
        im.setF32(kEchoBlock, row + 2, static_cast<float>(e.transitUs + rows[i].offsetUs));
    }
}

} // namespace

void writeEchoTables(CRegisterImage& im, int chord, const ChordEcho& e) {
    const int base = chordBase(chord);
    if (e.lost || !std::isfinite(e.gainDb) || !std::isfinite(e.transitUs)) {
        clearEchoTables(im, chord);
        return;
    }
    const bool normal = e.polarity != 0;
    fillTable(im, base + E::kNormalTable, normal ? kInUse : kOther, normal ? 4 : 2, e);
    fillTable(im, base + E::kInverseTable, normal ? kOther : kInUse, normal ? 2 : 4, e);
}

void clearEchoTables(CRegisterImage& im, int chord) {
    const int base = chordBase(chord);
    clearTable(im, base + E::kNormalTable);
    clearTable(im, base + E::kInverseTable);
}

} // namespace ks::sim
