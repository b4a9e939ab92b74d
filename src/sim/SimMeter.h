#pragma once

#include "link/JBusFrame.h"
#include "sim/FlowModel.h"
#include "sim/MeterClock.h"
#include "sim/RegisterImage.h"
#include "sim/SimOptions.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace ks::sim {

// JBus exception codes the meter answers with.
enum SimException : std::uint8_t {
    kIllegalFunction = 1,
    kIllegalAddress = 2,
    kIllegalValue = 3,
    kDeviceFailure = 4,
};

// The simulated meter: its register image and how it answers one request. No I/O; the
// server (or a test) hands it complete frames. All members lock, so the server thread
// and a caller peeking at registers can share one meter.
class CSimMeter {
public:
    explicit CSimMeter(const SimOptions& options);

    // One complete request frame in; the reply bytes out (empty: stay silent).
    // nowSeconds is a monotonic time that moves the simulated flow and the meter clock.
    Bytes handleRequest(const std::uint8_t* req, std::size_t n, double nowSeconds);

    // Raw register access without side effects (no clock setting, no totaliser reset).
    // Unserved addresses read as 0 and ignore writes. Simulated measurement values are
    // rewritten by the next request.
    std::uint16_t reg(int address) const;
    void setReg(int address, std::uint16_t v);

    int slave() const {
        std::lock_guard lock(m_mutex);
        return m_slave;
    }

private:
    void advance(double nowSeconds);
    Bytes readReply(const std::uint8_t* req);
    Bytes writeReply(const std::uint8_t* req, double nowSeconds);
    Bytes exceptionReply(std::uint8_t function, std::uint8_t code) const;
    Bytes frame(Bytes body) const;

    mutable std::mutex m_mutex;
    int m_slave; // moves when the settings block is written with another JBus number
    CRegisterImage m_image;
    CFlowModel m_flow;
    CMeterClock m_clock;
    bool m_clockStarted = false;
    int m_refuseWrite;
    std::vector<int> m_silentBlocks;
};

} // namespace ks::sim
