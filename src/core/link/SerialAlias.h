#pragma once

#include <string>

namespace ks {

// The stable name of a serial device: the entry of the by-id folder (/dev/serial/by-id) that
// leads to the same device as path, or empty when there is none. A USB adapter plugged in
// again may come back as another ttyUSB number, but under the same by-id name.
std::string stableSerialName(const std::string& path,
                             const std::string& byIdFolder = "/dev/serial/by-id");

} // namespace ks
