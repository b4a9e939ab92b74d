#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ks {
class CFlowApp;
class CJBusLink;
} // namespace ks

namespace ks::cli {

// Options that come before the command name.
struct GlobalOptions {
    std::string port;   // device path or COM number; empty: from the configuration
    int baudIndex = -1; // -1: from the configuration
    int slave = -1;     // -1: from the configuration
    int timeoutMs = -1; // first-byte time-out; -1: 1000 ms for reads, 2500 ms for writes
    bool trace = false;
    bool demo = false;
    std::string config; // --config PATH
    bool modem = false; // dial through a Hayes modem first (--modem)
    std::string phone;  // --phone NUMBER; empty: the configuration's
    bool pulse = false; // --pulse: pulse dialling
};

// What a command gets: its own arguments (everything after its name), the global options,
// the output streams, and a link opened on first use.
class CliContext {
public:
    virtual ~CliContext() = default;
    std::vector<std::string> args;
    GlobalOptions options;
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    // The program's start-up state: configuration, program home.
    CFlowApp* app = nullptr;
    // Opens the link on first use; nullptr after printing why it could not be opened.
    virtual CJBusLink* link() = 0;
};

using CliHandler = int (*)(CliContext&);

// Commands register themselves from their own source file:
//   static const CliCommandRegistration reg{"text", "text N [--lang L]", &runText};
struct CliCommandRegistration {
    CliCommandRegistration(const char* name, const char* usage, CliHandler handler);
};

struct CliCommand {
    const char* name;
    const char* usage;
    CliHandler handler;
};
const std::vector<CliCommand>& cliCommands();

} // namespace ks::cli
