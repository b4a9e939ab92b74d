#include "settings/EchoTable.h"

#include "framework/FieldListBlocks.h"
#include "i18n/TextTable.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsTexts.h"

#include <cstdio>

namespace ks {

namespace {
namespace e = settings::echo;
constexpr int kTextEchoCount = 212; // "Nombre"
constexpr int kTextGainMin = 147;   // "Gain Min(dB)"
constexpr int kTextTime = 330;      // "Valeur(µs)"
constexpr int kRows = 10;
constexpr int kRowSize = 6;

std::string text(int number, int language) {
    CTextTable t;
    return t.text(number, language);
}
} // namespace

std::array<EchoGrid, 4> fillEchoGrids(CFieldList& fields, const Bytes& image) {
    std::array<EchoGrid, 4> grids;
    const CField* chords = fields.find(e::kChordCount);
    CField* count = fields.find(e::kRowCount);
    CField* gain = fields.find(e::kRowGain);
    CField* time = fields.find(e::kRowTime);
    if (!chords || !count || !gain || !time)
        return grids;
    const int language = fields.language();
    CTextTable t;
    const std::vector<std::string> polarities = t.lookup(settings::text::kPolarityList, language);
    CFieldListBlocks rowBlock(fields);
    const int tables = chords->number() > 1 ? 4 : 2;
    for (int k = 0; k < tables; ++k) {
        EchoGrid& g = grids[static_cast<std::size_t>(k)];
        g.titles = {polarities.size() > static_cast<std::size_t>(k % 2)
                        ? polarities[static_cast<std::size_t>(k % 2)]
                        : std::string(),
                    text(kTextEchoCount, language), text(kTextGainMin, language),
                    text(kTextTime, language)};
        for (int i = 1; i <= kRows; ++i) {
            const std::size_t at =
                static_cast<std::size_t>(kEchoTableOffsets[k] + (i - 1) * kRowSize);
            if (at + kRowSize > image.size())
                break;
            const Bytes row(image.begin() + static_cast<std::ptrdiff_t>(at),
                            image.begin() + static_cast<std::ptrdiff_t>(at + kRowSize));
            if (rowBlock.decodeBlock(settings::block::kEchoRow, row) != 0 || count->number() == 0)
                break;
            char number[16];
            std::snprintf(number, sizeof number, "%d", i);
            g.rows.push_back({number, count->text(), gain->text(), time->text()});
        }
    }
    return grids;
}

} // namespace ks
