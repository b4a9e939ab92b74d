// soak N: N reads against the simulated meter with every fault of the line on; counts what
// went right, what failed and why, and whether a wrong value was ever taken for a good one.
#include "CliArgs.h"
#include "CliCommand.h"
#include "link/JBusCodec.h"
#include "link/JBusLink.h"
#include "link/ResultCodes.h"
#include "sim/SimMeter.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <ostream>
#include <thread>
#include <unistd.h>

namespace ks::cli {

namespace {

// A read whose reply the simulated meter always gives the same.
struct KnownRead {
    int address;
    int count;
    Bytes data; // register bytes of the reply
};

// Blocks of equal size with different contents: a reply taken for the wrong request shows.
std::vector<KnownRead> knownReads(int slave, int app) {
    sim::SimOptions options;
    options.slave = slave;
    options.app = app;
    sim::CSimMeter meter(options);
    const int addresses[] = {0x4000, 0x122F, 0x1100, 0x1109, 0x1112, 0x111B, 0xFF00};
    std::vector<KnownRead> reads;
    for (int address : addresses) {
        CJBusCodec codec;
        codec.encode(slave, 3, address, 9, 2, {});
        const Bytes rq = codec.requestBytes();
        const Bytes early = meter.handleRequest(rq.data(), rq.size(), 1.0);
        const Bytes later = meter.handleRequest(rq.data(), rq.size(), 5000.0);
        if (early.size() != 9 * 2 + 5 || early != later)
            continue; // not served, or it moves with the simulated flow or clock
        Bytes data(early.begin() + 3, early.end() - 2);
        bool distinct = true;
        for (const KnownRead& r : reads)
            distinct = distinct && r.data != data;
        if (distinct)
            reads.push_back({address, 9, data});
    }
    return reads;
}

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

int runSoak(CliContext& ctx) {
    long long n = 0, app = 1;
    bool ok = !ctx.args.empty() && parseInRange(ctx.args[0], 1, 100000000, n);
    for (std::size_t i = 1; ok && i < ctx.args.size(); i += 2)
        ok = i + 1 < ctx.args.size() && ctx.args[i] == "--app" &&
             parseInRange(ctx.args[i + 1], 1, 3, app);
    if (!ok) {
        *ctx.err << "usage: soak N [--app 1|2|3]\n";
        return 2;
    }
    const int slave = ctx.options.slave;
    const std::vector<KnownRead> reads = knownReads(slave, static_cast<int>(app));
    if (reads.size() < 2) {
        *ctx.err << "the simulated meter serves too few fixed blocks to tell replies apart\n";
        return 1;
    }
    CJBusLink* link = ctx.link();
    if (!link)
        return 1;

    // A transaction that runs far past what its attempts and reply windows allow is a hang.
    const long long hangLimitMs = 30000LL + 10LL * link->retries() * link->firstByteTimeout();
    std::atomic<long long> startedAt{-1}; // steady-clock ms of the running transaction
    std::atomic<bool> done{false};
    std::atomic<long long> hangs{0};
    auto nowMs = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    std::thread watchdog([&] {
        long long flagged = -1;
        while (!done.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const long long s = startedAt.load();
            if (s >= 0 && s != flagged && nowMs() - s > hangLimitMs) {
                hangs.fetch_add(1);
                flagged = s;
                link->cancel(); // ends it, so the soak can report
            }
        }
    });

    const long rssStart = residentKiB();
    const auto t0 = std::chrono::steady_clock::now();
    long long good = 0, wrong = 0;
    std::map<int, long long> failures;
    for (long long i = 0; i < n; ++i) {
        if (i == n / 2) {
            *ctx.err << "halfway " << i << "\n" << std::flush;
        } else if (i % 10000 == 0) {
            *ctx.err << "progress " << i << "\n" << std::flush;
        }
        const KnownRead& r = reads[static_cast<std::size_t>(i) % reads.size()];
        Bytes data;
        startedAt.store(nowMs());
        const int code = link->transaction(slave, 3, r.address, r.count, data, 2);
        startedAt.store(-1);
        if (link->cancelRequested()) {
            link->resetCancel();
            if (code == LINK_CANCELLED)
                continue; // the watchdog's
        }
        if (code != 0) {
            ++failures[code];
        } else if (data == r.data) {
            ++good;
        } else {
            ++wrong;
            *ctx.err << "WRONG VALUE for 0x" << std::hex << r.address << std::dec << ": "
                     << hexBytes(data) << "\n";
        }
    }
    done.store(true);
    watchdog.join();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const long rssEnd = residentKiB();
    const CJBusLink::LineCounts c = link->lineCounts();

    std::ostream& o = *ctx.out;
    char line[160];
    std::snprintf(line, sizeof line, "transactions %lld in %.1f s (%d blocks of 9 registers)", n,
                  seconds, static_cast<int>(reads.size()));
    o << line << "\n";
    o << "good reads " << good << "\n";
    for (const auto& [code, count] : failures)
        o << "failed " << code << " (" << resultCodeMeaning(code) << ") " << count << "\n";
    o << "late replies " << c.late << "\n";
    o << "stale replies dropped " << c.stale << "\n";
    o << "noise dropped " << c.discarded << "\n";
    o << "port lost " << c.lost << ", reopened " << c.reopened << "\n";
    o << "wrong values accepted " << wrong << "\n";
    o << "hangs " << hangs.load() << "\n";
    o << "resident memory " << rssStart << " KiB at start, " << rssEnd << " KiB at end ("
      << (rssEnd - rssStart) << " KiB)\n";
    return wrong == 0 && hangs.load() == 0 ? 0 : 1;
}

const CliCommandRegistration reg{"soak", "soak N [--app 1|2|3]", &runSoak};

} // namespace
} // namespace ks::cli
