#include "link/PortTable.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

namespace ks {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxPort = 255;

// Orders names so that ttyUSB2 comes before ttyUSB10.
bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            const std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

bool uartPresent(const std::string& sysRoot, const std::string& name) {
    std::ifstream in(sysRoot + "/class/tty/" + name + "/type");
    int type = -1;
    if (!(in >> type))
        return true; // no information: offer the port
    return type != 0;
}

} // namespace

std::vector<std::string> CPortTable::findDevices(const std::string& devRoot,
                                                 const std::string& sysRoot) {
    static const char* const kFamilies[] = {"ttyUSB", "ttyACM", "rfcomm", "ttyS"};
    std::vector<std::string> result;
    std::error_code ec;
    for (const char* family : kFamilies) {
        std::vector<std::string> names;
        for (fs::directory_iterator it(devRoot, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.rfind(family, 0) != 0 || name.size() == std::string(family).size())
                continue;
            if (!std::all_of(name.begin() + static_cast<long>(std::string(family).size()),
                             name.end(),
                             [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
                continue;
            if (std::string(family) == "ttyS" && !uartPresent(sysRoot, name))
                continue;
            names.push_back(name);
        }
        std::sort(names.begin(), names.end(), naturalLess);
        for (const auto& n : names)
            result.push_back(devRoot + "/" + n);
    }
    return result;
}

void CPortTable::setConfigured(const std::map<int, std::string>& entries) {
    m_configured.clear();
    for (const auto& [number, path] : entries)
        if (number >= 1 && number <= kMaxPort && !path.empty())
            m_configured[number] = path;
    rebuild();
}

void CPortTable::scan(const std::string& devRoot, const std::string& sysRoot) {
    m_found = findDevices(devRoot, sysRoot);
    rebuild();
}

void CPortTable::assign(int number, const std::string& path) {
    if (number < 1 || number > kMaxPort || path.empty())
        return;
    m_assigned[number] = path;
    rebuild();
}

int CPortTable::numberFor(const std::string& path) {
    for (const auto& [number, p] : m_entries)
        if (p == path)
            return number;
    for (int n = 1; n <= kMaxPort; ++n)
        if (!m_entries.count(n)) {
            assign(n, path);
            return n;
        }
    return 0;
}

void CPortTable::rebuild() {
    m_entries = m_configured;
    for (const auto& [number, path] : m_assigned)
        m_entries[number] = path;
    std::set<std::string> taken;
    for (const auto& [number, path] : m_entries)
        taken.insert(path);
    int next = 1;
    for (const auto& path : m_found) {
        if (taken.count(path))
            continue;
        while (next <= kMaxPort && m_entries.count(next))
            ++next;
        if (next > kMaxPort)
            break;
        m_entries[next] = path;
        taken.insert(path);
    }
}

std::string CPortTable::pathOf(int number) const {
    auto it = m_entries.find(number);
    return it == m_entries.end() ? std::string() : it->second;
}

std::vector<int> CPortTable::numbers() const {
    std::vector<int> v;
    for (const auto& [number, path] : m_entries)
        v.push_back(number);
    return v;
}

} // namespace ks
