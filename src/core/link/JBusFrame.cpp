#include "link/JBusFrame.h"

#include "link/ResultCodes.h"

namespace ks {

namespace {

// Byte-wise table of the reflected 0xA001 polynomial, built once at compile time.
struct CrcTable {
    std::uint16_t entry[256];
    constexpr CrcTable() : entry{} {
        for (int i = 0; i < 256; ++i) {
            std::uint16_t reg = static_cast<std::uint16_t>(i);
            for (int bit = 0; bit < 8; ++bit)
                reg = (reg & 1) ? static_cast<std::uint16_t>((reg >> 1) ^ 0xA001)
                                : static_cast<std::uint16_t>(reg >> 1);
            entry[i] = reg;
        }
    }
};
constexpr CrcTable kCrcTable;

} // namespace

std::uint16_t crc16Register(const std::uint8_t* bytes, std::size_t n) {
    std::uint16_t reg = 0xFFFF;
    for (std::size_t i = 0; i < n; ++i)
        reg = static_cast<std::uint16_t>((reg >> 8) ^ kCrcTable.entry[(reg ^ bytes[i]) & 0xFF]);
    return reg;
}

void CJBusFrame::clear() {
    slave = 0xFF;
    function = 0xFF;
    raw.clear();
    data.clear();
    crc = 0xFFFF;
}

std::uint16_t CJBusFrame::computeCrc() const {
    if (raw.size() <= 2)
        return 0xFFFF;
    const std::uint16_t reg = crc16Register(raw.data(), raw.size() - 2);
    return static_cast<std::uint16_t>((reg << 8) | (reg >> 8));
}

int CJBusFrame::checkCrc() const {
    return (raw.size() > 2 && computeCrc() == crc) ? 0 : -1;
}

int CJBusFrame::build(std::uint8_t slaveAddress, std::uint8_t functionCode, const Bytes& body) {
    slave = slaveAddress;
    function = functionCode;
    raw.clear();
    raw.reserve(body.size() + 4);
    raw.push_back(slaveAddress);
    raw.push_back(functionCode);
    raw.insert(raw.end(), body.begin(), body.end());
    raw.push_back(0);
    raw.push_back(0);
    crc = computeCrc();
    raw.pop_back();
    raw.pop_back();
    raw.push_back(static_cast<std::uint8_t>(crc >> 8));
    raw.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return 0;
}

int CJBusFrame::parse(const std::uint8_t* bytes, std::size_t n) {
    clear();
    raw.assign(bytes, bytes + n);
    if (n < 5)
        return LINK_TOO_SHORT;
    crc = static_cast<std::uint16_t>(raw[n - 2] * 256 + raw[n - 1]);
    if (checkCrc() != 0)
        return LINK_BAD_CRC;
    slave = raw[0];
    function = raw[1];
    data.assign(raw.begin() + 2, raw.end() - 2);
    return 0;
}

} // namespace ks
