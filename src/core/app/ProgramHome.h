#pragma once

#include "app/Environment.h"

#include <string>

namespace ks {

// The folder that plays the part of the program directory: it holds last.cfg, the default
// configuration, logo.bmp and Data/. The executable's own folder is not writable in general,
// so it is $CALYPTRON_HOME when set, else calyptron/ in the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config). Always absolute and with a trailing '/'; "" when the
// environment names no home at all.
std::string resolveProgramHome(const EnvLookup& env);

// The path as an absolute one (against the current folder), without touching the disk.
std::string absolutePath(const std::string& path);

} // namespace ks
