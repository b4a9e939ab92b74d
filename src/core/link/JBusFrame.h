#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ks {

using Bytes = std::vector<std::uint8_t>;

// CRC-16 of JBus / Modbus RTU (reflected polynomial 0xA001, start 0xFFFF) over n bytes.
// Returns the register as computed: its low byte is the one sent first.
std::uint16_t crc16Register(const std::uint8_t* bytes, std::size_t n);

// One JBus frame as built or received. The crc field holds the CRC with the byte sent
// first as its high byte, so that it reads like the two trailing bytes of raw.
struct CJBusFrame {
    Bytes raw;
    Bytes data;
    std::uint16_t crc = 0xFFFF;
    std::uint8_t function = 0xFF;
    std::uint8_t slave = 0xFF;

    void clear();
    // CRC over raw without its last two bytes (placeholders or the received CRC).
    std::uint16_t computeCrc() const;
    // 0 when raw is longer than 2 bytes and its CRC matches the crc field, else -1.
    int checkCrc() const;
    // raw = slave, function, body, CRC.
    int build(std::uint8_t slaveAddress, std::uint8_t functionCode, const Bytes& body);
    // Takes received bytes apart: 0, or LINK_TOO_SHORT / LINK_BAD_CRC.
    int parse(const std::uint8_t* bytes, std::size_t n);
    int parse(const Bytes& bytes) { return parse(bytes.data(), bytes.size()); }
};

} // namespace ks
