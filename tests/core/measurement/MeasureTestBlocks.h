#pragma once

#include "framework/BlockFields.h"

#include <map>
#include <vector>

namespace ks::test {

// Block services that remember what they were asked and fail a block's decoding on demand.
class CRecordingBlocks : public CBlockFields {
public:
    explicit CRecordingBlocks(CBlockFields& inner) : m_inner(inner) {}

    struct Decode {
        int block;
        Bytes bytes;
    };
    std::vector<Decode> decodes;
    mutable std::vector<int> encodes;
    std::map<int, int> failuresLeft; // block -> decodes still to fail

    int blockSize(int blockCode) const override { return m_inner.blockSize(blockCode); }
    int decodeBlock(int blockCode, const Bytes& bytes) override {
        decodes.push_back({blockCode, bytes});
        if (failuresLeft[blockCode] > 0) {
            --failuresLeft[blockCode];
            return -1;
        }
        return m_inner.decodeBlock(blockCode, bytes);
    }
    Bytes encodeBlock(int blockCode) const override {
        encodes.push_back(blockCode);
        return m_inner.encodeBlock(blockCode);
    }

private:
    CBlockFields& m_inner;
};

} // namespace ks::test
