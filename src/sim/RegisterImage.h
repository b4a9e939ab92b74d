#pragma once

#include "link/JBusFrame.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ks::sim {

// The byte images of all meter blocks. Register N of a block holds bytes 2N (high) and
// 2N + 1 (low); values are addressed by block start address and byte offset, big-endian.
// Accesses outside a block are ignored (writes) or read as zero, so a stray offset can
// never reach memory it does not own.
class CRegisterImage {
public:
    CRegisterImage();

    std::uint16_t reg(int address) const;
    void setReg(int address, std::uint16_t value);
    // Registers [address, address + count) as big-endian bytes; zeros where unserved.
    Bytes readRegisters(int address, int count) const;
    void writeRegisters(int address, const std::uint8_t* bytes, int count);

    std::uint8_t u8(int block, int offset) const;
    int s8(int block, int offset) const { return static_cast<std::int8_t>(u8(block, offset)); }
    std::uint16_t u16(int block, int offset) const;
    std::int32_t s24(int block, int offset) const;
    std::uint32_t u32(int block, int offset) const;
    float f32(int block, int offset) const;
    // Characters up to the first zero byte or the length.
    std::string text(int block, int offset, int length) const;

    void setU8(int block, int offset, int value);
    void setU16(int block, int offset, int value);
    void setS24(int block, int offset, std::int32_t value);
    void setU32(int block, int offset, std::uint32_t value);
    void setF32(int block, int offset, float value);
    // Writes the text cut to length and fills the rest with pad.
    void setText(int block, int offset, int length, std::string_view text, char pad);

private:
    std::uint8_t* at(int block, int offset);
    const std::uint8_t* at(int block, int offset) const;

    std::vector<Bytes> m_images; // same order as meterBlocks()
};

} // namespace ks::sim
