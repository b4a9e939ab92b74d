#include "sim/SimMeter.h"

#include "sim/BlockMap.h"
#include "sim/MeterDefaults.h"
#include "sim/MeterLayout.h"

#include <algorithm>

namespace ks::sim {

namespace {

constexpr int kMaxReadCount = 125;
constexpr int kMaxWriteCount = 123;

int word(const std::uint8_t* p) {
    return p[0] << 8 | p[1];
}

bool crcMatches(const std::uint8_t* req, std::size_t n) {
    const std::uint16_t reg = crc16Register(req, n - 2);
    return req[n - 2] == (reg & 0xFF) && req[n - 1] == (reg >> 8);
}

} // namespace

CSimMeter::CSimMeter(const SimOptions& options)
    : m_slave(std::clamp(options.slave, 1, 247)), m_flow(options.seed),
      m_refuseWrite(options.refuseWrite) {
    m_flow.setQualityAfter(options.qualityAfterSeconds);
    m_silentBlocks = options.silentBlocks;
    loadMeterDefaults(m_image, options);
}

std::uint16_t CSimMeter::reg(int address) const {
    std::lock_guard lock(m_mutex);
    return m_image.reg(address);
}

void CSimMeter::setReg(int address, std::uint16_t v) {
    std::lock_guard lock(m_mutex);
    m_image.setReg(address, v);
}

Bytes CSimMeter::frame(Bytes body) const {
    body.insert(body.begin(), static_cast<std::uint8_t>(m_slave));
    const std::uint16_t reg = crc16Register(body.data(), body.size());
    body.push_back(static_cast<std::uint8_t>(reg & 0xFF));
    body.push_back(static_cast<std::uint8_t>(reg >> 8));
    return body;
}

Bytes CSimMeter::exceptionReply(std::uint8_t function, std::uint8_t code) const {
    return frame({static_cast<std::uint8_t>(function | 0x80), code});
}

void CSimMeter::advance(double now) {
    if (!m_clockStarted) {
        m_clock.set(localTimeNow(), now);
        m_clockStarted = true;
    }
    refreshDerivedFields(m_image);
    m_flow.update(m_image, now);
    std::uint8_t clock[6];
    encodeMeterClock(m_clock.at(now), clock);
    for (int i = 0; i < 6; ++i)
        m_image.setU8(kMeasurementBlock, layout::meas::kClock + i, clock[i]);
}

Bytes CSimMeter::handleRequest(const std::uint8_t* req, std::size_t n, double now) {
    // Shortest frame: slave, function, two CRC bytes.
    if (req == nullptr || n < 4 || !crcMatches(req, n))
        return {};
    std::lock_guard lock(m_mutex);
    const int slave = req[0];
    if (slave != 0 && slave != m_slave)
        return {};
    const std::uint8_t function = req[1];
    switch (function) {
    case 3:
        if (n != 8)
            return {};
        advance(now);
        return readReply(req);
    case 16:
        if (n < 9 || n != 9u + req[6])
            return {};
        advance(now);
        return writeReply(req, now);
    default:
        return exceptionReply(function, kIllegalFunction);
    }
}

Bytes CSimMeter::readReply(const std::uint8_t* req) {
    const int address = word(req + 2);
    const int count = word(req + 4);
    if (count < 1 || count > kMaxReadCount)
        return exceptionReply(3, kIllegalValue);
    if (!rangeServed(address, count, false))
        return exceptionReply(3, kIllegalAddress);
    if (const BlockInfo* b = blockAt(address);
        b &&
        std::find(m_silentBlocks.begin(), m_silentBlocks.end(), b->address) != m_silentBlocks.end())
        return {};
    Bytes body{3, static_cast<std::uint8_t>(2 * count)};
    const Bytes data = m_image.readRegisters(address, count);
    body.insert(body.end(), data.begin(), data.end());
    return frame(std::move(body));
}

Bytes CSimMeter::writeReply(const std::uint8_t* req, double now) {
    const int address = word(req + 2);
    const int count = word(req + 4);
    const int byteCount = req[6];
    const std::uint8_t* data = req + 7;
    if (count < 1 || count > kMaxWriteCount || byteCount != 2 * count)
        return exceptionReply(16, kIllegalValue);
    if (!rangeServed(address, count, true))
        return exceptionReply(16, kIllegalAddress);
    if (address == m_refuseWrite)
        return exceptionReply(16, kDeviceFailure);

    if (address <= kClockBlock + 2 && address + count > kClockBlock) {
        // The clock takes the six bytes it would hold after the write, or refuses them all.
        Bytes clock = m_image.readRegisters(kClockBlock, 3);
        for (int i = 0; i < count; ++i) {
            const int r = address + i - kClockBlock;
            clock[2 * r] = data[2 * i];
            clock[2 * r + 1] = data[2 * i + 1];
        }
        const auto when = decodeMeterClock(clock.data());
        if (!when)
            return exceptionReply(16, kIllegalValue);
        m_clock.set(*when, now);
        m_clockStarted = true;
    }

    m_image.writeRegisters(address, data, count);

    if (address <= kTotaliserBlock + 1 && address + count > kTotaliserBlock) {
        const std::uint32_t command = m_image.u32(kTotaliserBlock, 0);
        if (command & 0x10000)
            m_flow.resetTotaliser(1);
        if (command & 0x1)
            m_flow.resetTotaliser(2);
        // A command, not a setting: it reads back as done.
        m_image.setU32(kTotaliserBlock, 0, 0);
    }
    // The change shows in the reply's neighbours right away, as the meter would show it.
    advance(now);
    Bytes reply = frame({16, req[2], req[3], req[4], req[5]});
    // A new JBus number takes effect once the write is acknowledged under the old one.
    const int slaveRegister = kSettingsBlock + layout::set::kSlave / 2;
    if (address <= slaveRegister && address + count > slaveRegister) {
        const int wanted = m_image.u8(kSettingsBlock, layout::set::kSlave);
        if (wanted >= 1 && wanted <= 247) {
            m_slave = wanted;
            m_image.setU8(kIdentBlock, layout::ident::kSlave, wanted);
        }
    }
    return reply;
}

} // namespace ks::sim
