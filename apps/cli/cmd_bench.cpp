// bench ADDR COUNT N: N reads, then the rate and the process's CPU time per transaction.
#include "CliArgs.h"
#include "CliCommand.h"
#include "link/BaudTable.h"
#include "link/JBusLink.h"

#include <chrono>
#include <cstdio>
#include <ostream>
#include <sys/resource.h>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

int runBench(CliContext& ctx) {
    long long address = 0, count = 0, n = 0;
    if (ctx.args.size() != 3 || !parseInRange(ctx.args[0], 0, 0xFFFF, address) ||
        !parseInRange(ctx.args[1], 1, 125, count) || !parseInRange(ctx.args[2], 1, 100000000, n)) {
        *ctx.err << "usage: bench ADDR COUNT N\n";
        return 2;
    }
    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    Bytes data;
    const double cpu0 = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    for (long long i = 0; i < n; ++i) {
        const int code = link->transaction(ctx.options.slave, 3, static_cast<int>(address),
                                           static_cast<int>(count), data, 2);
        if (code != 0)
            return reportFailure(ctx, code);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    // What the line itself needs: request and reply at 10 bits a byte.
    const long baud = baudEntry(link->baudIndex()).baud;
    const double wire = baud > 0 ? static_cast<double>(n) * static_cast<double>(8 + 2 * count + 5) *
                                       10.0 / static_cast<double>(baud)
                                 : 0.0;
    char line[200];
    std::snprintf(line, sizeof line,
                  "%lld transactions in %.3f s: %.1f/s, CPU %.1f us/transaction, %.4f x wire time",
                  n, seconds, static_cast<double>(n) / seconds, cpu * 1e6 / static_cast<double>(n),
                  wire > 0 ? seconds / wire : 0.0);
    *ctx.out << line << "\n";
    return 0;
}

const CliCommandRegistration reg{"bench", "bench ADDR COUNT N", &runBench};

} // namespace
} // namespace ks::cli
