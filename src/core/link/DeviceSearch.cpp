#include "link/DeviceSearch.h"

#include "i18n/TextTable.h"
#include "link/BaudTable.h"
#include "link/JBusLink.h"

#include <algorithm>

namespace ks {

namespace {

constexpr int kComText = 75;
constexpr int kNotFoundText = 100;
constexpr int kFoundText = 101;
constexpr int kSearchingText = 250;
constexpr int kInitialisingText = 293;
constexpr int kBaudListText = 336;

constexpr int kBroadcast = 0;
constexpr int kRead = 3;

// Puts back what the search changes on the link.
class LinkSettingsGuard {
public:
    explicit LinkSettingsGuard(CJBusLink& link)
        : m_link(link), m_timeout(link.firstByteTimeout()), m_retries(link.retries()) {}
    ~LinkSettingsGuard() {
        m_link.setFirstByteTimeout(m_timeout);
        m_link.setRetries(m_retries);
    }
    LinkSettingsGuard(const LinkSettingsGuard&) = delete;
    LinkSettingsGuard& operator=(const LinkSettingsGuard&) = delete;
    int retries() const { return m_retries; }

private:
    CJBusLink& m_link;
    int m_timeout;
    int m_retries;
};

// A do-nothing observer, so the search never checks for a missing one.
CDeviceSearchObserver& quiet() {
    static CDeviceSearchObserver none;
    return none;
}

} // namespace

std::string searchBaudLabel(int baudIndex) {
    std::string label = baudEntry(baudIndex).label;
    if (baudIndex != kBluetoothBaudIndex)
        label += " bauds";
    return label;
}

int CDeviceSearch::defaultBaudLimit() {
    CTextTable texts;
    const int entries = static_cast<int>(texts.lookup(kBaudListText, kLanguageFrench).size());
    return std::min(entries, baudCount());
}

CDeviceSearch::CDeviceSearch(CJBusLink& link, DeviceSearchOptions options)
    : m_link(link), m_options(std::move(options)) {}

DeviceSearchResult CDeviceSearch::run(CDeviceSearchObserver* observer) {
    CDeviceSearchObserver& o = observer ? *observer : quiet();
    CTextTable texts;
    const int language = m_options.language;
    const int limit = std::clamp(m_options.baudLimit, 0, baudCount());
    LinkSettingsGuard guard(m_link);
    bool connected = false;

    // Only ports that exist as devices are candidates: opening numbers without a device
    // would only cost time.
    std::vector<int> candidates;
    for (int n : m_link.serialLink().portTable().numbers())
        if (m_options.ports.empty() ||
            std::find(m_options.ports.begin(), m_options.ports.end(), n) != m_options.ports.end())
            candidates.push_back(n);

    o.searchCaption(texts.text(kInitialisingText, language));
    o.searchProgressRange(static_cast<int>(candidates.size()));
    o.searchProgressPosition(0);
    std::vector<int> present;
    int position = 0;
    for (int port : candidates) {
        if (m_cancel.load())
            break;
        o.searchProgressPosition(++position);
        if (m_link.open(port, 0, 'N', 8, 1, false, connected) == 0)
            present.push_back(port);
    }

    const int steps = limit * static_cast<int>(present.size());
    o.searchProgressRange(steps);
    o.searchProgressPosition(0);
    o.searchCaption(texts.text(kSearchingText, language));
    DeviceSearchResult result;
    if (m_options.timeoutMs > 0)
        m_link.setFirstByteTimeout(m_options.timeoutMs);
    // One attempt per transaction, repeated as often as the link would: the cancel flag is
    // then looked at after every time-out instead of after three.
    m_link.setRetries(1);
    position = 0;
    for (std::size_t p = 0; p < present.size() && !result.found() && !m_cancel.load(); ++p) {
        const int port = present[p];
        for (int index = limit - 1; index >= 0 && !m_cancel.load(); --index) {
            o.searchStatus(texts.text(kComText, language) + " " + std::to_string(port) + " - " +
                           searchBaudLabel(index));
            if (m_link.open(port, index, 'N', 8, 1, false, connected) == 0) {
                Bytes data;
                int code = -1;
                for (int attempt = 0; attempt < guard.retries() && code != 0; ++attempt) {
                    if (m_cancel.load())
                        break;
                    code = m_link.transaction(kBroadcast, kRead, m_options.address, m_options.count,
                                              data, 2);
                }
                const auto at = static_cast<std::size_t>(m_options.slaveOffset);
                if (code == 0 && m_options.slaveOffset >= 0 && at < data.size()) {
                    result.port = port;
                    result.baudIndex = index;
                    result.slave = data[at];
                    break;
                }
                m_link.close();
            }
            o.searchProgressPosition(++position);
        }
    }
    if (m_cancel.load() && !result.found())
        result.cancelled = true;

    o.searchStatus(texts.text(result.found() ? kFoundText : kNotFoundText, language));
    o.searchProgressPosition(steps);
    m_link.close();
    return result;
}

} // namespace ks
