#include "measurement/ProbeNameTable.h"

#include "app/TextEncoding.h"

namespace ks {

CProbeNameTable& CProbeNameTable::program() {
    static CProbeNameTable table;
    return table;
}

void CProbeNameTable::setNames(std::vector<std::string> names) {
    for (std::string& n : names)
        n = firstCharacters(n, kNameLength);
    std::lock_guard lock(m_mutex);
    m_names = std::move(names);
}

std::string CProbeNameTable::name(int index) const {
    std::lock_guard lock(m_mutex);
    if (index < 0 || static_cast<std::size_t>(index) >= m_names.size())
        return {};
    return m_names[static_cast<std::size_t>(index)];
}

std::size_t CProbeNameTable::size() const {
    std::lock_guard lock(m_mutex);
    return m_names.size();
}

} // namespace ks
