#pragma once

namespace ks {
class CJBusLink;
}

namespace ks::cli {

class CliContext;

// The identification block and the firmware check, as the measurement dialog runs them
// before polling. 0, or the exit status after printing why.
int checkMeter(CliContext& ctx, CJBusLink& link, int language);

} // namespace ks::cli
