// Cost of one measurement frame in the core: the reply step (decode of the 82 registers into
// the dialog's fields), the display rules, the graph point with its history image and both
// ESC views, and what the command-line tool renders from the fields.
#include "framework/FieldListBlocks.h"
#include "measurement/EscFeed.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureSession.h"
#include "measurement/MeasureView.h"
#include "sim/SimMeter.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A two-chord meter's measurement block as the simulated meter sends it.
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

struct Measurement {
    ks::CFieldList fields;
    ks::CFieldListBlocks blocks{fields};
    ks::GraphField graph{ks::CMeasureSession::flowGraphSettings()};
    ks::GraphField esc[4] = {ks::GraphField(ks::escDeltaTGraphSettings()),
                             ks::GraphField(ks::escTransitGraphSettings()),
                             ks::GraphField(ks::escDeltaTGraphSettings()),
                             ks::GraphField(ks::escTransitGraphSettings())};
    std::unique_ptr<ks::CMeasureSession> session;
    ks::JBusRequest request;

    Measurement() {
        ks::registerMeasureFields(fields);
        ks::registerBorrowedFields(fields);
        session = std::make_unique<ks::CMeasureSession>(fields, blocks, graph, ks::MeasureOptions{},
                                                        nullptr);
        session->setHooks({nullptr,
                           [this] {
                               for (int chord : {1, 2})
                                   ks::feedEsc(esc[2 * chord - 2], esc[2 * chord - 1],
                                               ks::escInputs(fields, chord));
                           },
                           nullptr});
        request = session->acquisition().requestFor(0x0010, 1);
        request.data = measurementBlock();
    }
    void frame() {
        ks::JBusRequest r = request;
        benchmark::DoNotOptimize(session->onFrame(r).code);
    }
};

void BM_MeasurementFrameCore(benchmark::State& state) {
    Measurement m;
    for (auto _ : state)
        m.frame();
}
BENCHMARK(BM_MeasurementFrameCore)->Unit(benchmark::kMicrosecond);

void BM_MeasurementFrameAsCliText(benchmark::State& state) {
    Measurement m;
    for (auto _ : state) {
        m.frame();
        benchmark::DoNotOptimize(ks::measurementText(ks::shownMeasurement(m.fields)).size());
    }
}
BENCHMARK(BM_MeasurementFrameAsCliText)->Unit(benchmark::kMicrosecond);

void BM_MeasurementFrameAsCliJson(benchmark::State& state) {
    Measurement m;
    long long n = 0;
    for (auto _ : state) {
        m.frame();
        benchmark::DoNotOptimize(ks::measurementJson(ks::shownMeasurement(m.fields), ++n).size());
    }
}
BENCHMARK(BM_MeasurementFrameAsCliJson)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
