#include "settings/EchoTable.h"

#include "framework/ValueType.h"
#include "i18n/TextTable.h"

#include <cstdio>

namespace ks {

namespace {

namespace vt = valuetype;
namespace tx = echo::text;

constexpr int kMeasurementBlock = 0x0010;
constexpr int kChordCountOffset = 118;

void chordRows(CFieldList& f, int group, int groupText, int polarity, int margin, int chordBase) {
    f.add({.id = group, .label = groupText, .kind = FieldKind::kGroup});
    f.add({.id = polarity,
           .label = tx::kPolarity,
           .list = tx::kPolarities,
           .kind = FieldKind::kDisplay,
           .value = "1",
           .format = "%l",
           .type = vt::kSigned8,
           .offset = chordBase + echo::kPolarity,
           .block = echo::kBlock});
    f.add({.id = margin,
           .label = tx::kMargin,
           .unit = tx::kDb,
           .kind = FieldKind::kDisplay,
           .value = "12",
           .minimum = 0,
           .maximum = 89,
           .format = "%0.f",
           .type = vt::kSigned8,
           .offset = chordBase + echo::kMargin,
           .block = echo::kBlock});
}

void rowField(CFieldList& f, int id, int type, int offset, const char* format) {
    f.add({.id = id,
           .flags = FieldFlag::kValueOnly,
           .kind = FieldKind::kEdit | FieldKind::kNoClamp,
           .value = "0",
           .format = format,
           .type = type,
           .offset = offset,
           .block = echo::kRowBlock});
}

void grid(CFieldList& f, int id) {
    f.add({.id = id, .kind = FieldKind::kGrid});
}

} // namespace

void registerEchoTableFields(CFieldList& f) {
    chordRows(f, echo::id::kGroupChord1, tx::kChord1, echo::id::kPolarity1, echo::id::kMargin1,
              echo::kChord1);
    grid(f, echo::id::kGrid1Normal);
    grid(f, echo::id::kGrid1Inverse);
    chordRows(f, echo::id::kGroupChord2, tx::kChord2, echo::id::kPolarity2, echo::id::kMargin2,
              echo::kChord2);
    grid(f, echo::id::kGrid2Normal);
    grid(f, echo::id::kGrid2Inverse);
    f.add({.id = echo::id::kChordCount,
           .flags = FieldFlag::kValueOnly,
           .kind = FieldKind::kEdit | FieldKind::kNoClamp,
           .value = "1",
           .format = "%0.f",
           .type = vt::kSigned8,
           .offset = kChordCountOffset,
           .block = kMeasurementBlock});
    rowField(f, echo::id::kRowCount, vt::kSigned8, 0, "%0.f");
    rowField(f, echo::id::kRowGain, vt::kSigned8, 1, "%0.f");
    rowField(f, echo::id::kRowValue, vt::kFloat, 2, "%0.3f");
}

CEscEntryDecoder::CEscEntryDecoder(CFieldListBlocks& blocks) : m_blocks(blocks) {}

EscEntry CEscEntryDecoder::decode(const std::uint8_t* bytes, std::size_t size) {
    CFieldList& fields = m_blocks.fields();
    CField* count = fields.find(echo::id::kRowCount);
    CField* gain = fields.find(echo::id::kRowGain);
    CField* value = fields.find(echo::id::kRowValue);
    EscEntry e;
    if (!count || !gain || !value || bytes == nullptr || size < echo::kRowSize)
        return e;
    const Bytes row(bytes, bytes + echo::kRowSize);
    if (m_blocks.decodeBlock(echo::kRowBlock, row) != 0)
        return e;
    e.count = static_cast<int>(count->number());
    e.minimumGain = static_cast<int>(gain->number());
    e.value = value->number();
    e.countText = count->text();
    e.gainText = gain->text();
    e.valueText = value->text();
    return e;
}

std::array<EchoGrid, 4> fillEchoGrids(CFieldListBlocks& blocks, const Bytes& block) {
    struct Table {
        int chord, polarity, offset;
    };
    static constexpr Table kTables[4] = {
        {1, echo::kNormal, echo::kChord1 + echo::kNormalTable},
        {1, echo::kInverse, echo::kChord1 + echo::kInverseTable},
        {2, echo::kNormal, echo::kChord2 + echo::kNormalTable},
        {2, echo::kInverse, echo::kChord2 + echo::kInverseTable},
    };
    std::array<EchoGrid, 4> grids;
    const CField* chords = blocks.fields().find(echo::id::kChordCount);
    const bool twoChords = chords && chords->number() > 1;
    const int language = blocks.fields().language();
    CTextTable texts;
    const std::vector<std::string> polarities = texts.lookup(tx::kPolarities, language);
    CEscEntryDecoder decoder(blocks);
    for (std::size_t g = 0; g < grids.size(); ++g) {
        EchoGrid& grid = grids[g];
        grid.chord = kTables[g].chord;
        grid.polarity = kTables[g].polarity;
        grid.tableOffset = kTables[g].offset;
        if (block.size() < static_cast<std::size_t>(echo::kTablesEnd) ||
            (grid.chord == 2 && !twoChords))
            continue;
        grid.filled = true;
        grid.titles = {static_cast<std::size_t>(grid.polarity) < polarities.size()
                           ? polarities[static_cast<std::size_t>(grid.polarity)]
                           : std::string(),
                       texts.text(tx::kCount, language), texts.text(tx::kMinimumGain, language),
                       texts.text(tx::kValue, language)};
        for (int i = 1; i <= echo::kRows; ++i) {
            const std::size_t at = static_cast<std::size_t>(grid.tableOffset) +
                                   static_cast<std::size_t>((i - 1) * echo::kRowSize);
            const EscEntry e = decoder.decode(block.data() + at, echo::kRowSize);
            if (e.count == 0)
                break;
            char number[16];
            std::snprintf(number, sizeof number, "%d", i);
            grid.rows.push_back({number, e.countText, e.gainText, e.valueText});
        }
    }
    return grids;
}

std::vector<PrintLine> echoGridPrintLines(const std::array<EchoGrid, 4>& grids, int language) {
    using Kind = PrintLine::Kind;
    CTextTable texts;
    std::vector<PrintLine> lines;
    for (const EchoGrid& grid : grids) {
        if (!grid.filled)
            continue;
        const std::string chord = texts.text(grid.chord == 1 ? tx::kChord1 : tx::kChord2, language);
        lines.push_back({Kind::Heading, chord + " - " + grid.titles[0], {}});
        lines.push_back(
            {Kind::Field, {}, grid.titles[1] + "   " + grid.titles[2] + "   " + grid.titles[3]});
        for (const auto& row : grid.rows)
            lines.push_back({Kind::Field, row[0], row[1] + "   " + row[2] + "   " + row[3]});
    }
    return lines;
}

Bytes chordEscData(const Bytes& block, int chord) {
    if (block.size() < static_cast<std::size_t>(echo::kTablesEnd) || (chord != 1 && chord != 2))
        return {};
    const auto base = block.begin() + (chord == 1 ? echo::kChord1 : echo::kChord2);
    Bytes out(base + echo::kNormalTable, base + echo::kNormalTable + echo::kTableSize);
    out.insert(out.end(), base + echo::kInverseTable,
               base + echo::kInverseTable + echo::kTableSize);
    return out;
}

} // namespace ks
