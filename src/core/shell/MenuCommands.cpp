#include "shell/MenuCommands.h"

#include "app/MessageRegistry.h"

#include <algorithm>
#include <string>

namespace ks::menu {

const std::vector<std::string_view>& commandNames() {
    static const std::vector<std::string_view> names = {
        kOuvrir,     kNewEtalonnage,  kNewRegKsn,    kNewRegUs,       kNewSondeSpe,
        kNewRegSpe,  kNewOem,         kDialMesure,   kDialEtalonnage, kDialRegUs,
        kDialRegKsn, kDialEsc,        kDialRegSpe,   kDialOem,        kDialTest,
        kDialInit,   kDialImprimeAll, kDialSauveAll, kQuitter,        kConfConf,
        kConfSave,   kConfLoad,       kModemConnect, kModemDeconnect, kApropo,
    };
    return names;
}

bool isCommandName(std::string_view name) {
    const auto& names = commandNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

void registerCommands() {
    for (std::string_view name : commandNames())
        registerMessage(std::string(name));
}

} // namespace ks::menu
