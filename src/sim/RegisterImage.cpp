#include "sim/RegisterImage.h"

#include "sim/BlockMap.h"

#include <bit>
#include <utility>

namespace ks::sim {

CRegisterImage::CRegisterImage() {
    for (const BlockInfo& b : meterBlocks())
        m_images.emplace_back(static_cast<std::size_t>(2 * b.registers), 0);
}

std::uint8_t* CRegisterImage::at(int block, int offset) {
    return const_cast<std::uint8_t*>(std::as_const(*this).at(block, offset));
}

const std::uint8_t* CRegisterImage::at(int block, int offset) const {
    const auto blocks = meterBlocks();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].address != block)
            continue;
        if (offset < 0 || offset >= static_cast<int>(m_images[i].size()))
            return nullptr;
        return m_images[i].data() + offset;
    }
    return nullptr;
}

std::uint16_t CRegisterImage::reg(int address) const {
    const BlockInfo* b = blockAt(address);
    if (b == nullptr)
        return 0;
    return u16(b->address, 2 * (address - b->address));
}

void CRegisterImage::setReg(int address, std::uint16_t value) {
    const BlockInfo* b = blockAt(address);
    if (b != nullptr)
        setU16(b->address, 2 * (address - b->address), value);
}

Bytes CRegisterImage::readRegisters(int address, int count) const {
    Bytes out;
    out.reserve(static_cast<std::size_t>(count > 0 ? 2 * count : 0));
    for (int i = 0; i < count; ++i) {
        const std::uint16_t v = reg(address + i);
        out.push_back(static_cast<std::uint8_t>(v >> 8));
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    }
    return out;
}

void CRegisterImage::writeRegisters(int address, const std::uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i)
        setReg(address + i, static_cast<std::uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]));
}

std::uint8_t CRegisterImage::u8(int block, int offset) const {
    const std::uint8_t* p = at(block, offset);
    return p != nullptr ? *p : 0;
}

std::uint16_t CRegisterImage::u16(int block, int offset) const {
    return static_cast<std::uint16_t>(u8(block, offset) << 8 | u8(block, offset + 1));
}

std::int32_t CRegisterImage::s24(int block, int offset) const {
    const std::uint32_t raw = static_cast<std::uint32_t>(u8(block, offset)) << 16 |
                              static_cast<std::uint32_t>(u8(block, offset + 1)) << 8 |
                              u8(block, offset + 2);
    // Sign-extend bit 23.
    return static_cast<std::int32_t>(raw ^ 0x800000u) - 0x800000;
}

std::uint32_t CRegisterImage::u32(int block, int offset) const {
    return static_cast<std::uint32_t>(u16(block, offset)) << 16 | u16(block, offset + 2);
}

float CRegisterImage::f32(int block, int offset) const {
    return std::bit_cast<float>(u32(block, offset));
}

std::string CRegisterImage::text(int block, int offset, int length) const {
    std::string s;
    for (int i = 0; i < length; ++i) {
        const std::uint8_t c = u8(block, offset + i);
        if (c == 0)
            break;
        s.push_back(static_cast<char>(c));
    }
    return s;
}

void CRegisterImage::setU8(int block, int offset, int value) {
    if (std::uint8_t* p = at(block, offset))
        *p = static_cast<std::uint8_t>(value & 0xFF);
}

void CRegisterImage::setU16(int block, int offset, int value) {
    setU8(block, offset, value >> 8);
    setU8(block, offset + 1, value);
}

void CRegisterImage::setS24(int block, int offset, std::int32_t value) {
    const auto raw = static_cast<std::uint32_t>(value);
    setU8(block, offset, static_cast<int>(raw >> 16));
    setU8(block, offset + 1, static_cast<int>(raw >> 8));
    setU8(block, offset + 2, static_cast<int>(raw));
}

void CRegisterImage::setU32(int block, int offset, std::uint32_t value) {
    setU16(block, offset, static_cast<int>(value >> 16));
    setU16(block, offset + 2, static_cast<int>(value & 0xFFFF));
}

void CRegisterImage::setF32(int block, int offset, float value) {
    setU32(block, offset, std::bit_cast<std::uint32_t>(value));
}

void CRegisterImage::setText(int block, int offset, int length, std::string_view text, char pad) {
    for (int i = 0; i < length; ++i) {
        const bool inText = i < static_cast<int>(text.size());
        setU8(block, offset + i, inText ? static_cast<unsigned char>(text[i]) : pad);
    }
}

} // namespace ks::sim
