#include "app/ModemSettings.h"

#include "app/ProfileKeys.h"
#include "link/ModemCommands.h"

namespace ks {

ModemCommandSet readModemCommands(const CProfileFile& configuration) {
    ModemCommandSet c;
    c.init = modem::atCommand(configuration.readString(profile::kModemInit));
    c.dial = modem::dialCommand(configuration.readInteger(profile::kNumerotation) != 0,
                                configuration.readString(profile::kTelefonNumber));
    c.hangUp = modem::atCommand(configuration.readString(profile::kDesconnectString));
    return c;
}

} // namespace ks
