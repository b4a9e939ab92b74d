// Cost of building a request and checking an 82-register reply, without I/O.
#include "link/JBusCodec.h"

#include <benchmark/benchmark.h>

namespace {

ks::Bytes measurementReply() {
    ks::Bytes b{1, 3, 164};
    for (int i = 0; i < 164; ++i)
        b.push_back(static_cast<std::uint8_t>(i * 7));
    const std::uint16_t reg = ks::crc16Register(b.data(), b.size());
    b.push_back(static_cast<std::uint8_t>(reg & 0xFF));
    b.push_back(static_cast<std::uint8_t>(reg >> 8));
    return b;
}

void BM_EncodeRead(benchmark::State& state) {
    ks::CJBusCodec codec;
    for (auto _ : state) {
        codec.encode(1, 3, 0x10, 82, 2, {});
        benchmark::DoNotOptimize(codec.request().raw.data());
    }
}
BENCHMARK(BM_EncodeRead);

void BM_ParseAndValidate82(benchmark::State& state) {
    ks::CJBusCodec codec;
    codec.encode(1, 3, 0x10, 82, 2, {});
    const ks::Bytes reply = measurementReply();
    for (auto _ : state) {
        benchmark::DoNotOptimize(codec.parseReply(reply));
        benchmark::DoNotOptimize(codec.validate());
    }
    state.SetBytesProcessed(static_cast<long>(state.iterations() * reply.size()));
}
BENCHMARK(BM_ParseAndValidate82);

} // namespace

BENCHMARK_MAIN();
