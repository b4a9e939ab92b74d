#pragma once

#include "framework/FieldListBlocks.h"
#include "settings/BlockExchange.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace ks::test {

// A meter in memory shared by several dialogs: block images by block code, a log of what was
// read and written ("r 0x1100", "w 0x2200") and the slave number each exchange talked to.
// A block it does not hold reads as zeros; a failing block fails both ways.
struct MemoryMeter {
    std::map<int, Bytes> images;
    std::vector<std::string> log;
    std::vector<int> slaves;
    int failRead = -1;
    int failWrite = -1;
};

class MemoryExchange : public CBlockExchange {
public:
    MemoryExchange(MemoryMeter& meter, CFieldListBlocks& blocks, int slave = 1)
        : m_meter(meter), m_blocks(blocks), m_slave(slave) {}

    int readBlock(int block) override {
        note('r', block);
        if (block == m_meter.failRead)
            return -1;
        auto it = m_meter.images.find(block);
        const Bytes zeros(2 * static_cast<std::size_t>(m_blocks.registerCount(block)), 0);
        return m_blocks.decodeBlock(block, it == m_meter.images.end() ? zeros : it->second);
    }
    int writeBlock(int block) override {
        note('w', block);
        if (block == m_meter.failWrite)
            return -1;
        Bytes b = m_blocks.encodeBlock(block);
        b.resize(2 * static_cast<std::size_t>(m_blocks.registerCount(block)), 0);
        m_meter.images[block] = b;
        return 0;
    }

private:
    void note(char what, int block) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%c 0x%04X", what, static_cast<unsigned>(block));
        m_meter.log.push_back(buf);
        m_meter.slaves.push_back(m_slave);
    }
    MemoryMeter& m_meter;
    CFieldListBlocks& m_blocks;
    int m_slave;
};

} // namespace ks::test
