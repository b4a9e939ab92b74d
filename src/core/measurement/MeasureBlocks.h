#pragma once

#include "framework/FieldList.h"
#include "measurement/MeasureIds.h"

#include <array>

namespace ks {

// The blocks of one measurement sample, in the order a recording stores them (their index in
// this list is their position in a sample).
inline constexpr std::array<int, 6> kMeasureBlockList = {
    measure::block::kMainSettings, measure::block::kFactory,     measure::block::kOemName,
    measure::block::kSpecial,      measure::block::kMeasurement, measure::block::kGraphHistory};

// The part of a block a dialog reads: from the register before its first field's byte to
// the register of its last field's last byte.
struct ReadRange {
    int firstWord = 0; // registers skipped from the block's start
    int address = 0;   // block code + first word
    int count = 0;     // registers to read; 0 when the block has no field
    bool operator==(const ReadRange&) const = default;
};

// The read range over the fields that take part in the block:
//   first word = (lowest offset - 1) / 2, count = (end + 1) / 2 - first word,
// with end the largest offset + width and the divisions truncating toward zero.
ReadRange readRange(const CFieldList& fields, int blockCode);

} // namespace ks
