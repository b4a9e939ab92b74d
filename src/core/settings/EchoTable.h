#pragma once

#include "framework/FieldList.h"
#include "framework/FieldListBlocks.h"
#include "framework/PrintLines.h"
#include "link/JBusFrame.h"

#include <array>
#include <string>
#include <vector>

// The echo tables the meter keeps per chord and per polarity (block 0x0B00), and the echo
// table dialog's grids filled from them.
namespace ks {

namespace echo {
inline constexpr int kBlock = 0x0B00;
inline constexpr int kBlockSize = 248;
// The rows are decoded through three fields of a block that lives only in the program.
inline constexpr int kRowBlock = 0xFFFFFF;
inline constexpr int kRows = 10;
inline constexpr int kRowSize = 6;
inline constexpr int kTableSize = kRows * kRowSize;
// Byte offsets in the block: per chord the "Inverse" table, the "Normal" table, then the
// chord's polarity and margin.
inline constexpr int kChord1 = 0;
inline constexpr int kChord2 = 124;
inline constexpr int kInverseTable = 0; // relative to the chord
inline constexpr int kNormalTable = 60;
inline constexpr int kPolarity = 120;
inline constexpr int kMargin = 122;
// The tables end here; the block's last bytes are chord 2's polarity and margin.
inline constexpr int kTablesEnd = 244;
// Polarity list entries (text list 41).
inline constexpr int kInverse = 0;
inline constexpr int kNormal = 1;

// Control ids (label; value id + 1, unit id + 2).
namespace id {
inline constexpr int kGroupChord1 = 5600;
inline constexpr int kPolarity1 = 5610;
inline constexpr int kMargin1 = 5620;
inline constexpr int kGroupChord2 = 5630;
inline constexpr int kPolarity2 = 5640;
inline constexpr int kMargin2 = 5650;
inline constexpr int kChordCount = 5660; // IDC_CH_CORDEMAX
inline constexpr int kRowCount = 5670;   // IDC_CH_FLEX_NBRE
inline constexpr int kRowGain = 5680;    // IDC_CH_FLEX_GMIN
inline constexpr int kRowValue = 5690;   // IDC_CH_FLEX_VAL
// The four grids: chord 1 "Normal", chord 1 "Inverse", chord 2 "Normal", chord 2 "Inverse".
inline constexpr int kGrid1Normal = 5700;
inline constexpr int kGrid1Inverse = 5710;
inline constexpr int kGrid2Normal = 5720;
inline constexpr int kGrid2Inverse = 5730;
} // namespace id

// Text numbers.
namespace text {
inline constexpr int kCaption = 290;     // "Info ESC"
inline constexpr int kChord1 = 80;       // "Corde 1"
inline constexpr int kChord2 = 81;       // "Corde 2"
inline constexpr int kPolarity = 232;    // "Polarité"
inline constexpr int kMargin = 167;      // "Marge"
inline constexpr int kDb = 89;           // "dB"
inline constexpr int kPolarities = 41;   // "Inverse", "Normal"
inline constexpr int kCount = 212;       // "Nombre"
inline constexpr int kMinimumGain = 147; // "Gain Min(dB)"
inline constexpr int kValue = 330;       // "Valeur(µs)"
} // namespace text
} // namespace echo

// Registers the echo table dialog's fields: per chord its group, polarity and margin (shown
// read-only), the number of chords of the meter (measurement block, value only), the three
// row fields of the pseudo-block, and the four grids.
void registerEchoTableFields(CFieldList& fields);

// One row of an echo table.
struct EscEntry {
    int count = 0;       // 0 ends a table
    int minimumGain = 0; // dB
    double value = 0;    // µs, as the row's value field shows it (three decimals)
    std::string countText, gainText, valueText;
};

// Turns six bytes into one row through the row fields of a list that registered them
// (registerEchoTableFields): the bytes go into the pseudo-block and the three fields decode
// them. Fewer than six bytes decode as an empty row.
class CEscEntryDecoder {
public:
    explicit CEscEntryDecoder(CFieldListBlocks& blocks);
    EscEntry decode(const std::uint8_t* bytes, std::size_t size);

private:
    CFieldListBlocks& m_blocks;
};

// One grid of the dialog: its chord (1 or 2), its polarity, its title row and the rows shown.
struct EchoGrid {
    int chord = 1;
    int polarity = echo::kNormal;
    int tableOffset = 0; // of its table in the block
    bool filled = false; // false: left empty (a chord the meter does not have)
    std::array<std::string, 4> titles{};
    std::vector<std::array<std::string, 4>> rows; // row number, count, minimum gain, time
};

// The four grids in the order of the dialog: chord 1 "Normal", chord 1 "Inverse", chord 2
// "Normal", chord 2 "Inverse". Each table stops at its first row with a count of 0 and never
// reads past its tenth row; chord 2 is filled only when the number of chords is more than 1.
// A block too short for the four tables (244 bytes) fills nothing.
std::array<EchoGrid, 4> fillEchoGrids(CFieldListBlocks& blocks, const Bytes& block);

// What a printout adds after the dialog's fields: per filled grid a heading (its chord and
// its polarity), its column titles, then its rows, each as its row number and three values.
std::vector<PrintLine> echoGridPrintLines(const std::array<EchoGrid, 4>& grids, int language);

// The 120 bytes of a chord's echo data as the test report reads them: its "Normal" table,
// then its "Inverse" table. Empty when the block is too short for the four tables.
Bytes chordEscData(const Bytes& block, int chord);

} // namespace ks
