// poll ADDR COUNT [--period MS] [--count N]: the polling worker, one line per exchange.
#include "CliArgs.h"
#include "CliCommand.h"
#include "link/JBusLink.h"
#include "link/ResultCodes.h"

#include <condition_variable>
#include <csignal>
#include <mutex>
#include <ostream>

namespace ks::cli {

namespace {

// Hands each notification to the main loop, which prints and acknowledges.
class QueueSink : public CFrameSink {
public:
    void postNewFrame() override {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_pending;
        m_cv.notify_all();
    }
    bool wait(const volatile std::sig_atomic_t& stop) {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_pending == 0) {
            if (stop)
                return false;
            m_cv.wait_for(lock, std::chrono::milliseconds(100));
        }
        --m_pending;
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_pending = 0;
};

volatile std::sig_atomic_t g_stop = 0;
void onSignal(int) {
    g_stop = 1;
}

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
    g_stop = 0;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    QueueSink sink;
    if (link->startPolling(&sink, ctx.options.slave, 3, static_cast<int>(address),
                           static_cast<int>(count), static_cast<int>(period), 2, {}) != 0) {
        *ctx.err << "the polling worker cannot be started\n";
        return 1;
    }
    int failures = 0;
    for (long long n = 0; (samples == 0 || n < samples) && sink.wait(g_stop); ++n) {
        const JBusRequest r = link->getRequest();
        if (r.result == 0 && !r.data.empty()) {
            *ctx.out << "ok " << hexWords(r.data) << "\n";
        } else {
            *ctx.out << "fail " << r.result << "\n";
            ++failures;
        }
        ctx.out->flush();
        link->acknowledge();
    }
    link->stopPolling();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    return failures == 0 ? 0 : 1;
}

const CliCommandRegistration reg{"poll", "poll ADDR COUNT [--period MS] [--count N]", &runPoll};

} // namespace
} // namespace ks::cli
