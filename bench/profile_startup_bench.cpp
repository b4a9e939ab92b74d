// Start-up with a large configuration: an 8 MiB file of small sections, the program's own
// keys at its end. Each iteration starts on a fresh copy of the file, as a new run would.
#include "app/FlowApp.h"
#include "app/PortSettings.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string largeConfiguration() {
    std::string bytes;
    const std::size_t limit = ks::CProfileFile::kMaxFileBytes - 4096;
    for (int i = 0; bytes.size() < limit; ++i)
        bytes += "[Section " + std::to_string(i) + "]\r\nKey=value " + std::to_string(i) + "\r\n";
    bytes += "[Test]\r\nTest=Ok\r\n[Com]\r\nPort=3.000000\r\nJBus=7.000000\r\n";
    return bytes;
}

void BM_StartUpWith8MiBConfiguration(benchmark::State& state) {
    namespace fs = std::filesystem;
    std::string dir = (fs::temp_directory_path() / "calyptron-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string bytes = largeConfiguration();
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string cfg = dir + "/site" + std::to_string(run++) + ".CalyptronKS";
        std::ofstream(cfg, std::ios::binary) << bytes;
        ks::StartupInputs in;
        in.home = dir + "/home";
        in.args = {cfg};
        state.ResumeTiming();

        ks::CFlowApp app;
        app.startUp(in);
        // The port table reads one key per port, as the desktop program does when it opens.
        benchmark::DoNotOptimize(ks::readPortAssignments(app.configuration()));
        benchmark::DoNotOptimize(app.comSettings());
        app.shutDown();
    }
    state.counters["file_MiB"] = static_cast<double>(bytes.size()) / (1 << 20);
    fs::remove_all(dir);
}
BENCHMARK(BM_StartUpWith8MiBConfiguration)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace

BENCHMARK_MAIN();
