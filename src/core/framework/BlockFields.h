#pragma once

#include "link/JBusFrame.h"

namespace ks {

// What the block services need from a dialog's fields: the field list of a dialog answers
// these for every block its fields belong to.
class CBlockFields {
public:
    virtual ~CBlockFields() = default;
    // Largest offset + width over the block's fields.
    virtual int blockSize(int blockCode) const = 0;
    // Spreads a block over the fields: 0, or -1 (nothing changed) when it is too short.
    virtual int decodeBlock(int blockCode, const Bytes& bytes) = 0;
    // The block image built from the fields' values.
    virtual Bytes encodeBlock(int blockCode) const = 0;
};

} // namespace ks
