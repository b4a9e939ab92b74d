#include "CliCommand.h"

namespace ks::cli {

namespace {
std::vector<CliCommand>& registry() {
    static std::vector<CliCommand> commands;
    return commands;
}
} // namespace

CliCommandRegistration::CliCommandRegistration(const char* name, const char* usage,
                                               CliHandler handler) {
    registry().push_back({name, usage, handler});
}

const std::vector<CliCommand>& cliCommands() {
    return registry();
}

} // namespace ks::cli
