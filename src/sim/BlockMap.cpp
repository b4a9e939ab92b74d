#include "sim/BlockMap.h"

#include <array>

namespace ks::sim {

namespace {

// Register counts follow the byte images the program registers for each block: an image
// of N bytes is (N + 1) / 2 registers.
constexpr std::array<BlockInfo, 11> kBlocks{{
    {kMeasurementBlock, 82, false}, // 164 bytes
    {kEchoBlock, 124, false},       // 248 bytes
    {kSettingsBlock, 70, true},     // 139 bytes
    {kOemBlock, 9, true},           // 18 bytes
    {kFactoryBlock, 31, true},      // 61 bytes
    {kClockBlock, 3, true},         // 6 bytes
    {kTotaliserBlock, 2, true},     // 4 bytes
    {kOutputBlock, 7, true},        // 14 bytes
    {kSpecialBlock, 9, true},       // 17 bytes
    {kProbeBlock, 10, true},        // 20 bytes
    {kIdentBlock, 25, false},       // 50 bytes
}};

} // namespace

std::span<const BlockInfo> meterBlocks() {
    return kBlocks;
}

const BlockInfo* blockAt(int address) {
    for (const BlockInfo& b : kBlocks)
        if (address >= b.address && address < b.address + b.registers)
            return &b;
    return nullptr;
}

bool rangeServed(int address, int count, bool forWrite) {
    if (count <= 0)
        return false;
    const BlockInfo* b = blockAt(address);
    if (b == nullptr || (forWrite && !b->writable))
        return false;
    // Blocks never touch, so a range that leaves its first block reaches an unserved address.
    return address + count <= b->address + b->registers;
}

} // namespace ks::sim
