// poll ADDR COUNT [--period MS] [--count N]: the polling worker, one line per exchange.
#include "CliArgs.h"
#include "CliCommand.h"
#include "FrameQueue.h"
#include "link/JBusLink.h"
#include "link/ResultCodes.h"

#include <ostream>

namespace ks::cli {

namespace {

int runPoll(CliContext& ctx) {
    long long address = 0, count = 0, period = 500, samples = 0;
    bool ok = ctx.args.size() >= 2 && parseInRange(ctx.args[0], 0, 0xFFFF, address) &&
              parseInRange(ctx.args[1], 1, 125, count);
    for (std::size_t i = 2; ok && i < ctx.args.size(); i += 2) {
        if (i + 1 >= ctx.args.size())
            ok = false;
        else if (ctx.args[i] == "--period")
            ok = parseInRange(ctx.args[i + 1], 0, 3600000, period);
        else if (ctx.args[i] == "--count")
            ok = parseInRange(ctx.args[i + 1], 1, 100000000, samples);
        else
            ok = false;
    }
    if (!ok) {
        *ctx.err << "usage: poll ADDR COUNT [--period MS] [--count N]\n";
        return 2;
    }
    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    FrameQueue sink;
    if (link->startPolling(&sink, ctx.options.slave, 3, static_cast<int>(address),
                           static_cast<int>(count), static_cast<int>(period), 2, {}) != 0) {
        *ctx.err << "the polling worker cannot be started\n";
        return 1;
    }
    int failures = 0;
    bool lost = false;
    for (long long n = 0; (samples == 0 || n < samples) && sink.wait(); ++n) {
        const JBusRequest r = link->getRequest();
        if (r.result == LINK_PORT_LOST) {
            // Said once: the worker keeps trying and reads again once the port is back.
            if (!lost)
                *ctx.out << "lost " << r.result << ": " << resultCodeMeaning(r.result) << "\n";
            lost = true;
            ++failures;
        } else if (r.result == 0 && !r.data.empty()) {
            if (lost)
                *ctx.out << "back\n";
            lost = false;
            *ctx.out << "ok " << hexWords(r.data) << "\n";
        } else {
            *ctx.out << "fail " << r.result << ": " << resultCodeMeaning(r.result) << "\n";
            ++failures;
        }
        ctx.out->flush();
        link->acknowledge();
    }
    link->stopPolling();
    if (sink.stopStatus() != 0)
        return sink.stopStatus();
    return failures == 0 ? 0 : 1;
}

const CliCommandRegistration reg{"poll", "poll ADDR COUNT [--period MS] [--count N]", &runPoll};

} // namespace
} // namespace ks::cli
