#pragma once

#include "i18n/TextLimits.h"

#include <atomic>
#include <string>
#include <vector>

namespace ks {

class CJBusLink;

struct DeviceSearchOptions {
    int address = 0xFF00; // block read from the meter: its identification block
    int count = 25;       // registers read
    int slaveOffset = 1;  // byte of the reply data that holds the meter's slave number
    int baudLimit = 7;    // baud indices tried: limit - 1 down to 0
    int timeoutMs = 0;    // first-byte time-out of each try; 0: the link's own
    int language = kLanguageFrench;
    std::vector<int> ports; // COM numbers to try; empty: every port of the link's port table
};

struct DeviceSearchResult {
    int port = -1;
    int baudIndex = -1;
    int slave = -1;
    bool cancelled = false;

    bool found() const { return baudIndex >= 0; }
};

// Hears how the search goes; called on the thread that runs the search.
class CDeviceSearchObserver {
public:
    virtual ~CDeviceSearchObserver() = default;
    virtual void searchCaption(const std::string& text) { (void)text; }
    virtual void searchStatus(const std::string& text) { (void)text; }
    virtual void searchProgressRange(int maximum) { (void)maximum; }
    virtual void searchProgressPosition(int position) { (void)position; }
};

// Looks for a meter: every port of the link's port table that opens, on each the baud
// indices from the fastest tried down to 0, with a broadcast read (slave 0) that any meter
// answers. The first answer gives the port, the baud index and the meter's slave number.
// The link is left closed.
class CDeviceSearch {
public:
    explicit CDeviceSearch(CJBusLink& link, DeviceSearchOptions options = {});

    // Runs the search to its end, or until cancel() is seen: between tries and between the
    // attempts of a try, so a cancel takes effect within one first-byte time-out.
    DeviceSearchResult run(CDeviceSearchObserver* observer = nullptr);
    // Asks a running search to stop; safe from any thread and from a signal handler. A
    // cancelled search finds nothing.
    void cancel() { m_cancel.store(true); }
    bool cancelRequested() const { return m_cancel.load(); }

    const DeviceSearchOptions& options() const { return m_options; }

    // The number of baud rates the connection settings offer (the entries of their baud
    // list), lowered to the link's baud count.
    static int defaultBaudLimit();

private:
    CJBusLink& m_link;
    DeviceSearchOptions m_options;
    std::atomic<bool> m_cancel{false};
};

// The label a baud index shows in the search: the baud table's, followed by " bauds" except
// for the Bluetooth index.
std::string searchBaudLabel(int baudIndex);

} // namespace ks
