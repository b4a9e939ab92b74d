#pragma once

#include <string>

namespace ks {

// What the block coding needs to know of a field: where its value lies and how it is coded.
struct BlockField {
    // Control kinds that hold a value: choice list, edit box, numeric text, read-only display.
    static constexpr int kValueKinds = 0x0001 | 0x0002 | 0x0004 | 0x0008;

    int kind = 0;
    int type = 0;
    int offset = -1;    // byte offset inside the block; negative: not in a block
    int blockCode = -1; // JBus start address of the block; -1: none
    std::string format; // display format: path and implied decimals
    double minimum = 0;
    double maximum = 0; // for texts, the length in characters
};

// Whether the field is read and written with the block of that code.
inline bool takesPart(const BlockField& f, int blockCode) {
    return f.blockCode == blockCode && f.offset >= 0 && (f.kind & BlockField::kValueKinds) != 0;
}

} // namespace ks
