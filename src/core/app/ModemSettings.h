#pragma once

#include "app/ProfileFile.h"
#include "link/ModemDialler.h"

namespace ks {

// The modem commands of a configuration's [Modem] section: the initialisation string, the
// dialling method and number, the hang-up string.
ModemCommandSet readModemCommands(const CProfileFile& configuration);

} // namespace ks
