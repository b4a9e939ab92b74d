#pragma once

#include "framework/BlockFields.h"

#include <map>
#include <set>

namespace ks {

// Block services that also keep the last image read of some blocks: a dialog whose block
// holds more than its fields (the echo tables are decoded row by row, not field by field)
// reads it through this and works on the kept bytes.
class CKeptBlockImages : public CBlockFields {
public:
    CKeptBlockImages(CBlockFields& inner, std::set<int> kept)
        : m_inner(inner), m_kept(std::move(kept)) {}

    int blockSize(int blockCode) const override { return m_inner.blockSize(blockCode); }
    int decodeBlock(int blockCode, const Bytes& bytes) override {
        const int status = m_inner.decodeBlock(blockCode, bytes);
        if (status == 0 && m_kept.count(blockCode) != 0)
            m_images[blockCode] = bytes;
        return status;
    }
    Bytes encodeBlock(int blockCode) const override { return m_inner.encodeBlock(blockCode); }

    // The last image of the block decoded without error; empty before the first.
    const Bytes& image(int blockCode) const {
        static const Bytes kNone;
        const auto it = m_images.find(blockCode);
        return it == m_images.end() ? kNone : it->second;
    }
    void setImage(int blockCode, Bytes bytes) { m_images[blockCode] = std::move(bytes); }

private:
    CBlockFields& m_inner;
    std::set<int> m_kept;
    std::map<int, Bytes> m_images;
};

} // namespace ks
