#pragma once

#include "framework/BlockField.h"
#include "framework/FieldValue.h"
#include "i18n/RegionalSettings.h"
#include "link/JBusFrame.h"

#include <cstddef>
#include <span>
#include <vector>

namespace ks {

// One value spread out of a block: the index of its field in the list, and the value.
struct DecodedField {
    std::size_t field = 0;
    FieldValue value;
};

// The values of the block's fields, in registration order. A block shorter than its fields
// need decodes nothing: -1 and out left empty. Otherwise 0.
int decodeBlock(std::span<const BlockField> fields, int blockCode, const Bytes& bytes,
                std::vector<DecodedField>& out, const RegionalSettings& regional);

// The block image built from the values (values[i] belongs to fields[i]): a zeroed block of
// the block size, each field of the block written in registration order; bits, nibbles and
// masked fields keep the other bits of their byte.
Bytes encodeBlock(std::span<const BlockField> fields, int blockCode,
                  std::span<const FieldValue> values);

} // namespace ks
