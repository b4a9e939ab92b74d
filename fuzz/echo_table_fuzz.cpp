// Feeds arbitrary bytes as the echo table block to the grids and the test report: every table
// has at most ten rows, and the report keeps its shape whatever the meter sent.
#include "framework/FieldListBlocks.h"
#include "reports/TestFields.h"
#include "reports/TestReport.h"
#include "settings/EchoTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    ks::CFieldList fields;
    ks::registerTestFields(fields);
    ks::CFieldListBlocks blocks(fields);
    // The first byte is the meter's number of chords.
    fields.find(ks::echo::id::kChordCount)->setNumber(static_cast<std::int8_t>(data[0]));
    const ks::Bytes block(data + 1, data + size);
    blocks.decodeBlock(ks::echo::kBlock, block);
    for (const ks::EchoGrid& g : ks::fillEchoGrids(blocks, block))
        if (g.rows.size() > 10 || (!g.filled && !g.rows.empty()))
            __builtin_trap();
    const std::string text = ks::testReportText(ks::testReportDataOf(blocks, block), ",");
    std::size_t lines = 0;
    for (char c : text)
        lines += c == '\n' ? 1 : 0;
    if (lines != 38)
        __builtin_trap();
    return 0;
}
