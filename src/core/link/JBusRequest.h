#pragma once

#include "link/JBusFrame.h"

namespace ks {

// One JBus exchange as the polling worker repeats it. After each exchange data holds the
// reply's data, or is empty when the exchange failed.
struct JBusRequest {
    int slave = 1;
    int function = 3;
    int address = 0;
    int count = 0;
    Bytes data;
    int itemSize = 2;
    // Result code of the last polled exchange (0 success).
    int result = 0;
};

// Told after each polled exchange. Implementations only post (never block); the one that
// handles the notification calls CJBusLink::acknowledge() when done.
class CFrameSink {
public:
    virtual ~CFrameSink() = default;
    virtual void postNewFrame() = 0;
};

} // namespace ks
