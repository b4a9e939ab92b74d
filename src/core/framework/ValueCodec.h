#pragma once

#include "framework/FieldValue.h"
#include "i18n/RegionalSettings.h"
#include "link/JBusFrame.h"

#include <optional>
#include <string_view>

namespace ks {

// How one field turns the bytes of its block into a value and back.
struct ValueCoding {
    int type = 0;
    std::string_view format;
    // The field's limits: a number is held within them before it is written (when minimum is
    // below maximum); for a text the maximum is its length in characters.
    double minimum = 0;
    double maximum = 0;
};

// The value at offset; nothing when the block does not hold all of its bytes or the type is
// unknown. A number read through a text format ("%s") also gets a plain text.
std::optional<FieldValue> decodeValue(const ValueCoding& coding, const Bytes& block, int offset,
                                      const RegionalSettings& regional);

// Writes the value at offset, keeping the bits of the bytes that are not the field's. A
// number is first held within the field's limits, then within what the type's bytes can
// hold (never wrapped around); a text is cut or padded with blanks to its length. False,
// with the block untouched, when the value's bytes do not all lie inside the block.
bool encodeValue(const ValueCoding& coding, const FieldValue& value, Bytes& block, int offset);

} // namespace ks
