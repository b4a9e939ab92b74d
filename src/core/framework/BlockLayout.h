#pragma once

#include "framework/BlockField.h"

#include <span>

namespace ks {

// The extent of a block as its fields describe it.

// The largest offset + width over the block's fields; 0 when it has none.
int blockSize(std::span<const BlockField> fields, int blockCode);
// Registers that hold the block: (size + 1) / 2.
int registerCount(std::span<const BlockField> fields, int blockCode);
// The register of the smallest offset minus one byte, for a dialog that reads only the part
// of a block that holds its fields; 0 when the block has no field.
int firstWord(std::span<const BlockField> fields, int blockCode);
// blockCode + firstWord.
int firstAddress(std::span<const BlockField> fields, int blockCode);

} // namespace ks
