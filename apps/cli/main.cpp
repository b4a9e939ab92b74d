// calyptron-cli: the meter's registers, identification and live values from a terminal.
#include "CliArgs.h"
#include "CliCommand.h"
#include "Demo.h"
#include "app/FlowApp.h"
#include "app/ModemSettings.h"
#include "app/PortSettings.h"
#include "app/ProfileKeys.h"
#include "app/Version.h"
#include "i18n/TextTable.h"
#include "link/JBusLink.h"
#include "link/ModemCommands.h"
#include "link/ModemDialler.h"
#include "link/ResultCodes.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <iostream>
#include <memory>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code) {
    *ctx.err << "error " << code << ": " << resultCodeMeaning(code) << "\n";
    // Stopped by Ctrl+C: the status a shell expects of an interrupted program.
    return code == LINK_CANCELLED ? 130 : 1;
}

namespace {

// Ctrl+C or SIGTERM: the link's transaction ends at the next attempt boundary, and a call
// that may be up is hung up before the program ends.
volatile std::sig_atomic_t g_modemStop = 0;
std::atomic<CJBusLink*> g_interruptible{nullptr};

extern "C" void onStopSignal(int) {
    g_modemStop = 1;
    if (CJBusLink* link = g_interruptible.load())
        link->requestCancel();
}

void catchStopSignals() {
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

void printUsage(std::ostream& o) {
    o << "usage: calyptron-cli [--port PATH|N] [--baud-index I] [--slave N] [--timeout MS]\n"
         "                     [--trace] [--demo] [--config PATH]\n"
         "                     [--modem [--phone NUMBER] [--pulse]] COMMAND [ARGS]\n"
         "       calyptron-cli --help | --version\n"
         "commands:\n";
    for (const CliCommand& c : cliCommands())
        o << "  " << c.usage << "\n";
}

// The link, opened on first use with the options of the command line.
class LinkContext : public CliContext {
public:
    ComSettings com;

    ~LinkContext() override {
        g_interruptible.store(nullptr);
        if (m_link && options.trace) {
            const CJBusLink::LineCounts c = m_link->lineCounts();
            *err << "line: late " << c.late << ", stale dropped " << c.stale << ", noise dropped "
                 << c.discarded << ", lost " << c.lost << ", reopened " << c.reopened << "\n";
        }
        m_link.reset();
        stopDemoMeter();
    }

    CJBusLink* link() override {
        if (m_link)
            return m_link.get();
        auto link = std::make_unique<CJBusLink>();
        std::string path = options.port;
        if (options.demo) {
            std::string error;
            if (!startDemoMeter(path, error)) {
                *err << "the simulated meter cannot be started: " << error << "\n";
                return nullptr;
            }
        }
        link->serialLink().portTable().setConfigured(readPortAssignments(app->configuration()));
        int number = com.portIndex + 1;
        long long n = 0;
        if (!path.empty() && parseInRange(path, 1, 255, n))
            number = static_cast<int>(n);
        else if (!path.empty())
            number = link->serialLink().portTable().numberFor(path);
        link->setFirstByteTimeout(options.timeoutMs > 0 ? options.timeoutMs : 1000);
        if (options.trace) {
            std::ostream* e = err;
            link->setTrace([e](bool sent, const Bytes& frame) {
                *e << (sent ? "TX " : "RX ") << hexBytes(frame) << "\n";
            });
            // Frames not taken: replies to earlier requests, broken frames, line noise.
            link->setDropTrace([e](const char* why, const Bytes& bytes) {
                *e << "drop " << why << " " << hexBytes(bytes) << "\n";
            });
        }
        if (options.modem) {
            m_modemPort = number;
            link->setModemConnector([this](CFrameReceiver& rx) { return dial(rx) ? 0 : -1; });
        }
        const int code =
            link->open(number, options.baudIndex, 'N', 8, 1, options.modem, m_connected);
        if (code != 0) {
            explainOpenFailure(*link, number, code);
            return nullptr;
        }
        m_link = std::move(link);
        g_interruptible.store(m_link.get());
        struct sigaction stop {};
        stop.sa_handler = onStopSignal;
        sigemptyset(&stop.sa_mask);
        sigaction(SIGINT, &stop, nullptr);
        return m_link.get();
    }

    // Hangs up a call the command left up.
    void hangUp() {
        if (!m_link || !m_connected)
            return;
        // A Ctrl+C left the link refusing exchanges; the hang-up must still go out.
        m_link->resetCancel();
        CModemDialler dialler(*m_link, 2);
        report(dialler);
        const bool ok = dialler.disconnect(m_modemPort, options.baudIndex, m_commands.hangUp);
        m_connected = false;
        m_link->close();
        if (!ok)
            *err << "the modem did not confirm the hang-up\n";
    }

private:
    ModemCommandSet modemCommands() {
        ModemCommandSet c = readModemCommands(app->configuration());
        if (!options.phone.empty() || options.pulse) {
            const std::string number =
                options.phone.empty() ? app->configuration().readString(profile::kTelefonNumber)
                                      : options.phone;
            const bool pulse =
                options.pulse || app->configuration().readInteger(profile::kNumerotation) != 0;
            c.dial = modem::dialCommand(pulse, number);
        }
        return c;
    }
    void report(CModemDialler& dialler) {
        std::ostream* e = err;
        dialler.setStatusSink([e](const std::string& shown) { *e << shown << std::flush; });
        dialler.setMessageSink([e](int text, int) {
            CTextTable texts;
            *e << "\n" << texts.text(text, 2) << "\n";
        });
        dialler.setStopCheck([] { return g_modemStop != 0; });
    }
    bool dial(CFrameReceiver& rx) {
        m_commands = modemCommands();
        CModemDialler dialler(rx, 2);
        report(dialler);
        const bool ok = dialler.connect(m_modemPort, options.baudIndex, m_commands);
        *err << "\n";
        return ok;
    }

    void explainOpenFailure(CJBusLink& link, int number, int code) {
        const OpenFailure& f = link.serialLink().lastOpenFailure();
        *err << "error " << code << ": " << resultCodeMeaning(code) << "\n";
        if (code == LINK_MODEM_NOT_CONNECTED)
            return; // the dialler has said why
        if (f.path.empty()) {
            *err << "COM" << number << " has no device; give one with --port PATH\n";
            return;
        }
        *err << f.path << ": error " << f.code << ": " << resultCodeMeaning(f.code);
        if (f.osError != 0)
            *err << " (" << std::strerror(f.osError) << ")";
        *err << "\n";
        if (f.osError == EACCES || f.osError == EPERM)
            *err << "Your user may not use serial ports: join the dialout group "
                    "(sudo usermod -aG dialout $USER), then log in again.\n";
    }

    std::unique_ptr<CJBusLink> m_link;
    bool m_connected = false;
    int m_modemPort = 0;
    ModemCommandSet m_commands;
};

} // namespace
} // namespace ks::cli

int main(int argc, char** argv) {
    using namespace ks::cli;
    using ks::ComSettings;
    LinkContext ctx;
    ctx.out = &std::cout;
    ctx.err = &std::cerr;
    GlobalOptions& o = ctx.options;
    int i = 1;
    auto value = [&](const char* name) -> const char* {
        if (i + 1 >= argc) {
            std::cerr << name << " needs a value\n";
            return nullptr;
        }
        return argv[++i];
    };
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const std::string a = argv[i];
        long long n = 0;
        const char* v = nullptr;
        if (a == "--trace") {
            o.trace = true;
        } else if (a == "--demo") {
            o.demo = true;
        } else if (a == "--modem") {
            o.modem = true;
        } else if (a == "--pulse") {
            o.pulse = true;
        } else if (a == "--phone" && (v = value("--phone"))) {
            o.phone = v;
        } else if (a == "--help" || a == "-h") {
            printUsage(std::cout);
            return 0;
        } else if (a == "--version") {
            std::cout << "calyptron-cli " << ks::version::programVersion() << "\n";
            return 0;
        } else if (a == "--port" && (v = value("--port"))) {
            o.port = v;
        } else if (a == "--config" && (v = value("--config"))) {
            o.config = v;
        } else if (a == "--baud-index" && (v = value("--baud-index")) && parseInRange(v, 0, 7, n)) {
            o.baudIndex = static_cast<int>(n);
        } else if (a == "--slave" && (v = value("--slave")) && parseInRange(v, 0, 255, n)) {
            o.slave = static_cast<int>(n);
        } else if (a == "--timeout" && (v = value("--timeout")) && parseInRange(v, 1, 600000, n)) {
            o.timeoutMs = static_cast<int>(n);
        } else {
            std::cerr << "bad option: " << a << (v ? std::string(" ") + v : std::string()) << "\n";
            printUsage(std::cerr);
            return 2;
        }
    }
    if (i >= argc) {
        printUsage(std::cerr);
        return 2;
    }
    const std::string name = argv[i];
    for (++i; i < argc; ++i)
        ctx.args.emplace_back(argv[i]);
    const CliCommand* command = nullptr;
    for (const CliCommand& c : cliCommands())
        if (name == c.name)
            command = &c;
    if (!command) {
        std::cerr << "unknown command: " << name << "\n";
        printUsage(std::cerr);
        return 2;
    }

    // The same start-up as the desktop program: program home, last.cfg, the configuration
    // named on the command line or the one used last.
    ks::CFlowApp app;
    ks::StartupInputs inputs;
    if (!o.config.empty())
        inputs.args = {o.config};
    app.startUp(inputs);
    if (!app.refusedConfiguration().empty())
        std::cerr << "calyptron-cli: " << app.refusalText() << "\n";
    ctx.app = &app;
    ctx.com = app.comSettings();
    if (o.baudIndex < 0)
        o.baudIndex = ctx.com.baudIndex;
    if (o.slave < 0)
        o.slave = ctx.com.slave;
    if (o.modem)
        catchStopSignals();
    const int status = command->handler(ctx);
    if (o.modem) {
        // The command may have put its own handlers in place and taken them away again.
        catchStopSignals();
        ctx.hangUp();
    }
    app.shutDown();
    return status;
}
