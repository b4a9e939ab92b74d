// Filling the echo table's grids from block 0x0B00.
#include "settings/EchoTable.h"
#include "settings/ServiceFields.h"
#include "settings/ServiceIds.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ks;

namespace {

// Row i (1 to 10) of the table at `table`: count, minimum gain, time.
void putRow(Bytes& image, int table, int i, int count, int gain, float time) {
    const std::size_t at = static_cast<std::size_t>(table + 6 * (i - 1));
    image[at] = static_cast<std::uint8_t>(count);
    image[at + 1] = static_cast<std::uint8_t>(gain);
    std::uint32_t bits;
    std::memcpy(&bits, &time, 4);
    for (int k = 0; k < 4; ++k)
        image[at + 2 + static_cast<std::size_t>(k)] =
            static_cast<std::uint8_t>(bits >> (24 - 8 * k));
}

struct Echo {
    explicit Echo(int chords) {
        fields.setLanguage(1);
        registerEchoFields(fields);
        fields.find(settings::echo::kChordCount)->setNumber(chords);
    }
    CFieldList fields;
    Bytes image = Bytes(248, 0);
};

TEST(EchoGrids, RowsUpToTheFirstEmptyOneAndAtMostTen) {
    Echo e(2);
    // Chord 1 "Inverse": nothing. Chord 1 "Normal": ten rows, then the next table's bytes,
    // which must not be read as an eleventh row. Chord 2 "Inverse": two rows, a gap, a row.
    for (int i = 1; i <= 10; ++i)
        putRow(e.image, 60, i, i, 30 + i, 190.25f + static_cast<float>(i));
    putRow(e.image, 124, 1, 4, 40, 188.0f);
    putRow(e.image, 124, 2, 3, 44, 189.5f);
    putRow(e.image, 124, 4, 9, 50, 191.0f);
    e.image[120] = 1; // chord 1 polarity: the table after row ten starts here
    const auto grids = fillEchoGrids(e.fields, e.image);

    const std::vector<std::string> inverseTitles{"Inverse", "Nombre", "Gain Min(dB)", "Valeur(µs)"};
    EXPECT_EQ(grids[0].titles, inverseTitles);
    EXPECT_TRUE(grids[0].rows.empty());
    EXPECT_EQ(grids[1].titles[0], "Normal");
    ASSERT_EQ(grids[1].rows.size(), 10u);
    EXPECT_EQ(grids[1].rows[0], (std::vector<std::string>{"1", "1", "31", "191.250"}));
    EXPECT_EQ(grids[1].rows[9], (std::vector<std::string>{"10", "10", "40", "200.250"}));
    ASSERT_EQ(grids[2].rows.size(), 2u);
    EXPECT_EQ(grids[2].rows[1], (std::vector<std::string>{"2", "3", "44", "189.500"}));
    EXPECT_EQ(grids[3].titles[0], "Normal");
    EXPECT_TRUE(grids[3].rows.empty());
}

TEST(EchoGrids, AOneChordMeterLeavesChordTwoEmpty) {
    Echo e(1);
    putRow(e.image, 124, 1, 4, 40, 188.0f);
    putRow(e.image, 184, 1, 4, 40, 188.0f);
    putRow(e.image, 0, 1, 2, 35, 187.0f);
    const auto grids = fillEchoGrids(e.fields, e.image);
    EXPECT_EQ(grids[0].rows.size(), 1u);
    for (int k : {2, 3}) {
        EXPECT_TRUE(grids[static_cast<std::size_t>(k)].titles.empty()) << k;
        EXPECT_TRUE(grids[static_cast<std::size_t>(k)].rows.empty()) << k;
    }
}

} // namespace
