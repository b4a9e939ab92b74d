#pragma once

#include <map>
#include <string>
#include <vector>

namespace ks {

// Maps COM numbers (1..255) to device paths: the configured entries first ([Ports] 3=/dev/ttyUSB0),
// then the serial devices found on this machine, in a stable order, filling the free numbers.
class CPortTable {
public:
    // Configured entries; a number outside 1..255 or an empty path is ignored.
    void setConfigured(const std::map<int, std::string>& entries);
    // Looks for serial devices again (devRoot and sysRoot are for tests).
    void scan(const std::string& devRoot = "/dev", const std::string& sysRoot = "/sys");
    // Gives number a path of its own choosing (a path named on the command line).
    void assign(int number, const std::string& path);
    // The number of a path, giving it the first free number when it has none. 0 when full.
    int numberFor(const std::string& path);

    // The device path of a COM number, empty when none.
    std::string pathOf(int number) const;
    // Every number with a device, in increasing order.
    std::vector<int> numbers() const;
    const std::map<int, std::string>& entries() const { return m_entries; }

    // The serial devices under devRoot, in a stable order; ttyS nodes without a UART behind
    // them (type 0 under sysRoot/class/tty) are left out.
    static std::vector<std::string> findDevices(const std::string& devRoot,
                                                const std::string& sysRoot);

private:
    std::map<int, std::string> m_configured;
    std::map<int, std::string> m_assigned;
    std::map<int, std::string> m_entries;
    std::vector<std::string> m_found;
    void rebuild();
};

} // namespace ks
