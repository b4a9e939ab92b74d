// The echo table grids filled from block 0x0B00 through the row fields.
#include "settings/EchoTable.h"

#include "i18n/TextTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace ks;

namespace {

struct RowBytes {
    int count, gain;
    float value;
};

void putRow(Bytes& b, int at, const RowBytes& r) {
    b[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(r.count);
    b[static_cast<std::size_t>(at) + 1] = static_cast<std::uint8_t>(r.gain);
    std::uint32_t bits = 0;
    std::memcpy(&bits, &r.value, 4);
    for (int k = 0; k < 4; ++k)
        b[static_cast<std::size_t>(at + 2 + k)] = static_cast<std::uint8_t>(bits >> (24 - 8 * k));
}

void putTable(Bytes& b, int at, const std::vector<RowBytes>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        putRow(b, at + static_cast<int>(i) * echo::kRowSize, rows[i]);
}

struct EchoFixture : ::testing::Test {
    EchoFixture() { registerEchoTableFields(fields); }
    void setChords(int n) { fields.find(echo::id::kChordCount)->setNumber(n); }
    CFieldList fields;
    CFieldListBlocks blocks{fields};
};

TEST_F(EchoFixture, BlockAndRowLayout) {
    // Up to chord 2's margin, read as the block's 124 registers.
    EXPECT_EQ(blocks.blockSize(echo::kBlock), echo::kBlockSize - 1);
    EXPECT_EQ(blocks.registerCount(echo::kBlock), echo::kBlockSize / 2);
    EXPECT_EQ(blocks.blockSize(echo::kRowBlock), echo::kRowSize);
    // The chord count comes from the measurement block, never from the echo block.
    EXPECT_EQ(fields.find(echo::id::kChordCount)->block(), 0x0010);
    EXPECT_EQ(fields.find(echo::id::kChordCount)->offset(), 118);
}

// Which rows each grid shows, for tables that end early, run to ten rows, or are followed by
// bytes that would read as an eleventh row.
TEST_F(EchoFixture, TablesStopAtTheFirstEmptyRowAndNeverPastTen) {
    struct Case {
        const char* name;
        int chords;
        std::vector<RowBytes> normal1, inverse1, normal2, inverse2;
        std::size_t rows[4];
        bool filled[4];
    };
    std::vector<RowBytes> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back({i + 1, 30 + i, 100.5f + static_cast<float>(i)});
    const std::vector<RowBytes> gap = {{3, 40, 190.25f}, {0, 41, 191.0f}, {7, 42, 192.0f}};
    const std::vector<RowBytes> empty = {{0, 44, 190.0f}, {5, 45, 191.0f}};
    const Case cases[] = {
        {"first row count 0: titles only",
         2,
         empty,
         ten,
         empty,
         gap,
         {0, 10, 0, 1},
         {true, true, true, true}},
        {"a row of count 0 hides the rows after it",
         2,
         gap,
         gap,
         ten,
         ten,
         {1, 1, 10, 10},
         {true, true, true, true}},
        {"one chord: chord 2 stays empty whatever its bytes",
         1,
         ten,
         gap,
         ten,
         ten,
         {10, 1, 0, 0},
         {true, true, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes block(echo::kBlockSize, 0);
        putTable(block, echo::kChord1 + echo::kNormalTable, c.normal1);
        putTable(block, echo::kChord1 + echo::kInverseTable, c.inverse1);
        putTable(block, echo::kChord2 + echo::kNormalTable, c.normal2);
        putTable(block, echo::kChord2 + echo::kInverseTable, c.inverse2);
        // Polarity and margin right after chord 1's "Normal" table: a reader that went on past
        // the tenth row would take them for an eleventh.
        block[echo::kChord1 + echo::kPolarity] = 1;
        block[echo::kChord1 + echo::kMargin] = 12;
        block[echo::kChord2 + echo::kPolarity] = 1;
        block[echo::kChord2 + echo::kMargin] = 30;
        setChords(c.chords);
        ASSERT_EQ(blocks.decodeBlock(echo::kBlock, block), 0);
        const auto grids = fillEchoGrids(blocks, block);
        for (std::size_t g = 0; g < 4; ++g) {
            EXPECT_EQ(grids[g].filled, c.filled[g]) << "grid " << g;
            EXPECT_EQ(grids[g].rows.size(), c.rows[g]) << "grid " << g;
        }
        EXPECT_EQ(fields.find(echo::id::kPolarity1)->shownText(), "Normal");
        EXPECT_EQ(fields.find(echo::id::kMargin1)->text(), "12");
    }
}

TEST_F(EchoFixture, GridsCarryTitlesAndRowTextsInOrder) {
    Bytes block(echo::kBlockSize, 0);
    putTable(block, echo::kChord1 + echo::kNormalTable, {{8, 34, 188.123f}, {6, 38, 189.5f}});
    putTable(block, echo::kChord1 + echo::kInverseTable, {{4, 40, 187.0f}});
    putTable(block, echo::kChord2 + echo::kNormalTable, {{9, 50, 200.0f}});
    putTable(block, echo::kChord2 + echo::kInverseTable, {{-3, -2, -1.5f}});
    setChords(2);
    fields.setLanguage(2);
    auto g = fillEchoGrids(blocks, block);
    using Row = std::array<std::string, 4>;
    EXPECT_EQ(g[0].chord, 1);
    EXPECT_EQ(g[0].polarity, echo::kNormal);
    EXPECT_EQ(g[0].titles, (Row{"Normal", "Count", "Min Gain(dB)", "Value(µs)"}));
    ASSERT_EQ(g[0].rows.size(), 2u);
    EXPECT_EQ(g[0].rows[0], (Row{"1", "8", "34", "188.123"}));
    EXPECT_EQ(g[0].rows[1], (Row{"2", "6", "38", "189.500"}));
    EXPECT_EQ(g[1].titles[0], "Reverse");
    EXPECT_EQ(g[1].rows.at(0), (Row{"1", "4", "40", "187.000"}));
    EXPECT_EQ(g[2].chord, 2);
    EXPECT_EQ(g[2].rows.at(0), (Row{"1", "9", "50", "200.000"}));
    // Count and gain are signed bytes: a count of -3 is not an empty row.
    EXPECT_EQ(g[3].rows.at(0), (Row{"1", "-3", "-2", "-1.500"}));

    // On paper: per grid its chord and polarity, its titles, then its rows.
    using Kind = PrintLine::Kind;
    const auto lines = echoGridPrintLines(g, 2);
    ASSERT_EQ(lines.size(), 4u * 2 + 2 + 1 + 1 + 1);
    const std::string chord1 = CTextTable().text(echo::text::kChord1, 2);
    EXPECT_EQ(lines[0], (PrintLine{Kind::Heading, chord1 + " - Normal", {}}));
    EXPECT_EQ(lines[1], (PrintLine{Kind::Field, {}, "Count   Min Gain(dB)   Value(µs)"}));
    EXPECT_EQ(lines[3], (PrintLine{Kind::Field, "2", "6   38   189.500"}));
    EXPECT_EQ(lines[4].caption, chord1 + " - Reverse");
    g[2].filled = g[3].filled = false; // a one-chord meter
    EXPECT_EQ(echoGridPrintLines(g, 2).size(), 2u * 2 + 2 + 1);
}

TEST_F(EchoFixture, ShortBlockFillsNothing) {
    setChords(2);
    const auto g = fillEchoGrids(blocks, Bytes(echo::kTablesEnd - 1, 1));
    for (const EchoGrid& grid : g) {
        EXPECT_FALSE(grid.filled);
        EXPECT_TRUE(grid.rows.empty());
    }
    EXPECT_TRUE(chordEscData(Bytes(100, 0), 1).empty());
}

TEST_F(EchoFixture, ChordDataIsNormalThenInverse) {
    Bytes block(echo::kBlockSize, 0);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i);
    for (int chord : {1, 2}) {
        const Bytes d = chordEscData(block, chord);
        ASSERT_EQ(d.size(), 120u);
        const int base = chord == 1 ? echo::kChord1 : echo::kChord2;
        EXPECT_EQ(d[0], block[static_cast<std::size_t>(base + echo::kNormalTable)]);
        EXPECT_EQ(d[59], block[static_cast<std::size_t>(base + echo::kNormalTable + 59)]);
        EXPECT_EQ(d[60], block[static_cast<std::size_t>(base + echo::kInverseTable)]);
        EXPECT_EQ(d[119], block[static_cast<std::size_t>(base + echo::kInverseTable + 59)]);
    }
    EXPECT_TRUE(chordEscData(block, 3).empty());
}

} // namespace
