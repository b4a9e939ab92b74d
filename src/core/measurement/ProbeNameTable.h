#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace ks {

// The program-wide names of the probe types (at most 20 characters each), indexed by the probe
// type a meter reports. The probe settings fill it; the measurement dialog reads it.
class CProbeNameTable {
public:
    static constexpr std::size_t kNameLength = 20;

    // The program's table.
    static CProbeNameTable& program();

    // Names longer than kNameLength characters are cut.
    void setNames(std::vector<std::string> names);
    // "" for an index outside the table.
    std::string name(int index) const;
    std::size_t size() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_names;
};

} // namespace ks
