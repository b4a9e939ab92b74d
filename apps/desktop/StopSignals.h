#pragma once

namespace ks::desktop {

// SIGINT and SIGTERM close the program's windows from the top down, as the user would, so
// that a modem call still up is hung up before the program ends.
void closeWindowsOnStopSignals();

} // namespace ks::desktop
