#include "PortList.h"

#include "CliArgs.h"

#include <algorithm>
#include <sstream>

namespace ks::cli {

bool parsePortList(const std::string& text, std::vector<int>& ports) {
    ports.clear();
    std::stringstream items(text);
    std::string item;
    bool any = false;
    while (std::getline(items, item, ',')) {
        long long low = 0, high = 0;
        const std::size_t dash = item.find('-');
        if (dash == std::string::npos) {
            if (!parseInRange(item, 1, 255, low))
                return false;
            high = low;
        } else if (!parseInRange(item.substr(0, dash), 1, 255, low) ||
                   !parseInRange(item.substr(dash + 1), 1, 255, high) || low > high) {
            return false;
        }
        for (long long n = low; n <= high; ++n)
            ports.push_back(static_cast<int>(n));
        any = true;
    }
    // "1," or ",1" leave an empty item that getline does not always report.
    if (!any || text.empty() || text.front() == ',' || text.back() == ',')
        return false;
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return true;
}

} // namespace ks::cli
