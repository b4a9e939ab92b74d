#pragma once

#include <functional>
#include <optional>
#include <string>

namespace ks {

// Looks up an environment variable; nothing when it is not set. Start-up takes one so that
// tests can run it against an environment of their own.
using EnvLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process.
EnvLookup processEnvironment();

} // namespace ks
