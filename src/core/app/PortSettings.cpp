#include "app/PortSettings.h"

namespace ks {

std::map<int, std::string> readPortAssignments(const CProfileFile& configuration) {
    std::map<int, std::string> ports;
    for (int n = 1; n <= 255; ++n) {
        const std::string path = configuration.readString("Ports", std::to_string(n), "");
        if (!path.empty() && path[0] == '/')
            ports[n] = path;
    }
    return ports;
}

} // namespace ks
