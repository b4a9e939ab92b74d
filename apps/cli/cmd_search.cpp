// search: finds the meter's port, baud rate and slave number, as the connection settings'
// search does.
#include "CliArgs.h"
#include "CliCommand.h"
#include "Demo.h"
#include "PortList.h"
#include "app/FlowApp.h"
#include "app/PortSettings.h"
#include "i18n/TextTable.h"
#include "link/BaudTable.h"
#include "link/DeviceSearch.h"
#include "link/JBusLink.h"

#include <csignal>
#include <ostream>

namespace ks::cli {

namespace {

const char* const kUsage =
    "usage: search [--baud-limit N] [--ports LIST] [--lang L]\n"
    "  N: baud rates to try, fastest first (1..8, default 7)\n"
    "  LIST: COM numbers such as 1-4,7 (default: every serial port of this machine)\n"
    "  L: 1 French, 2 English, 3 Portuguese, 4 German, 5 Spanish (default 1)\n"
    "  the global --timeout sets the time-out of each try (default: the link's 500 ms);\n"
    "  with --demo only the simulated meter's port is searched unless --ports is given\n";

// The search a Ctrl+C stops (it then ends as "not found", with the link closed).
CDeviceSearch* g_running = nullptr;

extern "C" void stopSearch(int) {
    if (g_running)
        g_running->cancel();
}

// Shows each status line as the search reaches it.
class StatusPrinter : public CDeviceSearchObserver {
public:
    explicit StatusPrinter(std::ostream& o) : m_out(o) {}
    void searchStatus(const std::string& text) override { m_out << text << "\n" << std::flush; }

private:
    std::ostream& m_out;
};

int runSearch(CliContext& ctx) {
    DeviceSearchOptions options;
    options.baudLimit = CDeviceSearch::defaultBaudLimit();
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        const bool hasValue = i + 1 < ctx.args.size();
        long long n = 0;
        if (a == "--baud-limit" && hasValue && parseInRange(ctx.args[i + 1], 1, baudCount(), n)) {
            options.baudLimit = static_cast<int>(n);
        } else if (a == "--lang" && hasValue && parseInRange(ctx.args[i + 1], 1, 5, n)) {
            options.language = static_cast<int>(n);
        } else if (a == "--ports" && hasValue && parsePortList(ctx.args[i + 1], options.ports)) {
        } else {
            *ctx.err << "search: bad argument \"" << a << "\"\n" << kUsage;
            return 2;
        }
        ++i;
    }
    if (ctx.options.timeoutMs > 0)
        options.timeoutMs = ctx.options.timeoutMs;

    // A link of its own, on the ports of this machine and of the configuration's [Ports].
    CJBusLink link;
    if (ctx.app)
        link.serialLink().portTable().setConfigured(readPortAssignments(ctx.app->configuration()));
    if (ctx.options.demo) {
        // The simulated meter gets a COM number of its own; unless told otherwise, only
        // that port is searched.
        std::string path, error;
        if (!startDemoMeter(path, error)) {
            *ctx.err << "the simulated meter cannot be started: " << error << "\n";
            return 1;
        }
        const int number = link.serialLink().portTable().numberFor(path);
        if (options.ports.empty())
            options.ports = {number};
    }
    CDeviceSearch search(link, options);
    StatusPrinter printer(*ctx.err);
    g_running = &search;
    struct sigaction stop {};
    struct sigaction previous {};
    stop.sa_handler = stopSearch;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGINT, &stop, &previous);
    const DeviceSearchResult result = search.run(&printer);
    sigaction(SIGINT, &previous, nullptr);
    g_running = nullptr;

    if (!result.found())
        return 1; // the last status line says so
    *ctx.out << "found COM" << result.port << " " << searchBaudLabel(result.baudIndex) << " slave "
             << result.slave << "\n";
    return 0;
}

const CliCommandRegistration reg{"search", "search [--baud-limit N] [--ports LIST] [--lang L]",
                                 &runSearch};

} // namespace
} // namespace ks::cli
