// Stand-in for the command registry, so that commands can be built and linked before the
// command-line main that owns the registry is merged. The definitions are weak: the main's own
// definitions replace them at link time. Delete this file once that main is in.
#include "CliCommand.h"

namespace ks::cli {
namespace {

std::vector<CliCommand>& standInRegistry() {
    static std::vector<CliCommand> commands;
    return commands;
}

} // namespace

__attribute__((weak))
CliCommandRegistration::CliCommandRegistration(const char* name, const char* usage,
                                               CliHandler handler) {
    standInRegistry().push_back(CliCommand{name, usage, handler});
}

__attribute__((weak)) const std::vector<CliCommand>& cliCommands() {
    return standInRegistry();
}

} // namespace ks::cli
