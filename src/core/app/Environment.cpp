#include "app/Environment.h"

#include <cstdlib>

namespace ks {

EnvLookup processEnvironment() {
    return [](const std::string& name) -> std::optional<std::string> {
        const char* v = std::getenv(name.c_str());
        if (v == nullptr)
            return std::nullopt;
        return std::string(v);
    };
}

} // namespace ks
