#pragma once

#include <span>

namespace ks::sim {

// Start addresses of the meter's register blocks.
enum BlockAddress : int {
    kMeasurementBlock = 0x0010,
    kEchoBlock = 0x0B00,
    kSettingsBlock = 0x1100,
    kOemBlock = 0x122F,
    kFactoryBlock = 0x2200,
    kClockBlock = 0x2301,
    kTotaliserBlock = 0x2306,
    kOutputBlock = 0x3000,
    kSpecialBlock = 0x4000,
    kProbeBlock = 0x5000,
    kIdentBlock = 0xFF00,
};

struct BlockInfo {
    int address;
    int registers;
    bool writable; // measurement, echo table and identification are the meter's own
};

// Every block the meter holds, in address order; no two overlap or touch.
std::span<const BlockInfo> meterBlocks();

// The block holding this register address, or nullptr.
const BlockInfo* blockAt(int address);

// True when every address of [address, address + count) lies inside one block, and that
// block is writable when forWrite is set.
bool rangeServed(int address, int count, bool forWrite);

} // namespace ks::sim
