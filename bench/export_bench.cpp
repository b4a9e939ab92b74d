// Export of a recording of 10 000 and 100 000 samples to tab-separated text and to a workbook:
// reading the records, decoding each sample into the measurement fields, the display rules,
// the record line, and writing the file. Goal: linear in the samples, and at least 50 000
// samples a second to text on one core.
#include "framework/FieldListBlocks.h"
#include "link/JBusCodec.h"
#include "measurement/MeasureExport.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureRecording.h"
#include "sim/SimMeter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

namespace {

ks::Bytes measurementBlock() {
    ks::sim::SimOptions options;
    options.app = 2;
    ks::sim::CSimMeter meter(options);
    ks::Bytes request{1, 3, 0x00, 0x10, 0x00, 82};
    const std::uint16_t crc = ks::crc16Register(request.data(), request.size());
    request.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    request.push_back(static_cast<std::uint8_t>(crc >> 8));
    const ks::Bytes reply = meter.handleRequest(request.data(), request.size(), 12.5);
    return ks::Bytes(reply.begin() + 3, reply.end() - 2);
}

std::string folder() {
    static const std::string dir = [] {
        std::string d =
            (std::filesystem::temp_directory_path() / "ks-export-bench-XXXXXX").string();
        return std::string(::mkdtemp(d.data()));
    }();
    return dir;
}

// A recording of n samples of a two-chord meter, made once per size.
const std::string& recording(int n) {
    static std::map<int, std::string> made;
    auto it = made.find(n);
    if (it != made.end())
        return it->second;
    ks::CFieldList fields;
    ks::registerMeasureFields(fields);
    ks::registerBorrowedFields(fields);
    ks::CFieldListBlocks blocks(fields);
    ks::Bytes block = measurementBlock();
    const ks::Bytes history(200 * 8, 0x40);
    ks::CMeasureRecorder rec;
    const std::string path = folder() + "/r" + std::to_string(n) + ".mes";
    rec.create(path, ks::CMeasureRecorder::headerText(fields), {2026, 1, 1, 0, 0, 0});
    // Every sample another meter second and another flow; the settings blocks stay.
    for (int i = 0; i < n; ++i) {
        block[3] = static_cast<std::uint8_t>(i);
        block[42] = static_cast<std::uint8_t>(i % 60);
        block[43] = static_cast<std::uint8_t>(i / 60 % 60);
        blocks.decodeBlock(0x10, block);
        rec.writeSample(blocks, history);
    }
    rec.close();
    return made.emplace(n, path).first->second;
}

void exportTo(benchmark::State& state, ks::ExportKind kind, const char* ext) {
    const int n = static_cast<int>(state.range(0));
    ks::ExportRequest request;
    request.recording = recording(n);
    request.output = folder() + "/out" + std::to_string(n) + ext;
    request.kind = kind;
    request.decimalSeparator = ",";
    for (auto _ : state) {
        const ks::ExportResult r = ks::exportRecording(request);
        if (r.status != 0 || r.samples != n)
            state.SkipWithError("export failed");
    }
    state.counters["samples/s"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ExportText(benchmark::State& state) {
    exportTo(state, ks::ExportKind::Text, ".prn");
}
void BM_ExportWorkbook(benchmark::State& state) {
    exportTo(state, ks::ExportKind::Workbook, ".xlsx");
}

BENCHMARK(BM_ExportText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportWorkbook)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
