#include "framework/ValueCodec.h"

#include "framework/MeterDate.h"
#include "framework/MeterText.h"
#include "framework/ValueFormat.h"
#include "framework/ValueType.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace ks {

namespace {

using namespace valuetype;

constexpr double kRangedStep = 0.075;
constexpr double kRangedFactor = 13.333333333333334;
constexpr double kTwentySix = 26.0;

std::uint64_t readUnsigned(const std::uint8_t* p, int n) {
    std::uint64_t v = 0;
    for (int i = 0; i < n; ++i)
        v = v << 8 | p[i];
    return v;
}

std::int64_t readSigned(const std::uint8_t* p, int n) {
    const std::uint64_t v = readUnsigned(p, n);
    const std::uint64_t sign = std::uint64_t{1} << (8 * n - 1);
    return static_cast<std::int64_t>(v ^ sign) - static_cast<std::int64_t>(sign);
}

void writeUnsigned(std::uint8_t* p, int n, std::uint64_t v) {
    for (int i = n - 1; i >= 0; --i, v >>= 8)
        p[i] = static_cast<std::uint8_t>(v & 0xFF);
}

// Integer nearest to v, held within [low, high].
std::int64_t heldRound(double v, std::int64_t low, std::int64_t high) {
    if (std::isnan(v))
        v = 0;
    if (v <= static_cast<double>(low))
        return low;
    if (v >= static_cast<double>(high))
        return high;
    return std::clamp(static_cast<std::int64_t>(std::llround(v)), low, high);
}

// The range of n bytes: a signed type also takes the values its bytes hold read unsigned
// (list indices up to 255 in a signed byte), an unsigned one only those.
std::int64_t lowest(int bits, bool isSigned) {
    return isSigned ? -(std::int64_t{1} << (bits - 1)) : 0;
}
std::int64_t highest(int bits) {
    return (std::int64_t{1} << bits) - 1;
}

std::string plainNumberText(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", v);
    return text;
}

struct IntegerType {
    int bytes;
    bool isSigned;
};

bool integerType(int encoding, IntegerType& out) {
    switch (encoding) {
    case kSigned8:
        out = {1, true};
        return true;
    case kSigned16:
        out = {2, true};
        return true;
    case kSigned24:
        out = {3, true};
        return true;
    case kSigned32:
        out = {4, true};
        return true;
    case kUnsigned8:
        out = {1, false};
        return true;
    case kUnsigned16:
        out = {2, false};
        return true;
    case kUnsigned32:
        out = {4, false};
        return true;
    default:
        return false;
    }
}

// The field's own value before it is scaled into bytes: held within the limits.
double limited(const ValueCoding& c, double v) {
    if (std::isnan(v))
        return 0;
    if (c.minimum < c.maximum)
        v = std::clamp(v, c.minimum, c.maximum);
    return v;
}

std::optional<double> decodeNumber(const ValueCoding& c, const std::uint8_t* p) {
    const int encoding = typeEncoding(c.type);
    const double scale = formatScale(c.format);
    IntegerType it{};
    if (integerType(encoding, it)) {
        const double raw = it.isSigned ? static_cast<double>(readSigned(p, it.bytes))
                                       : static_cast<double>(readUnsigned(p, it.bytes));
        return raw / scale;
    }
    if (const int bit = bitOfType(c.type); bit >= 0)
        return static_cast<double>(p[0] & (1 << bit));
    switch (encoding) {
    case kHighNibble:
        return (p[0] >> 4) / scale;
    case kLowNibble:
        return (p[0] & 0x0F) / scale;
    case kMask: {
        const unsigned mask = static_cast<unsigned>(c.type & 0xFF);
        unsigned packed = 0;
        int k = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (mask & (1u << bit))
                packed |= ((p[0] >> bit) & 1u) << k++;
        return packed / scale;
    }
    case kRangedCount:
        return std::round(static_cast<double>(readUnsigned(p + 1, 2)) * (p[0] + 1) * kRangedStep);
    case kTwentySixths:
        return static_cast<double>(readUnsigned(p, 2)) / kTwentySix;
    case kFloat: {
        const auto bits = static_cast<std::uint32_t>(readUnsigned(p, 4));
        return static_cast<double>(std::bit_cast<float>(bits));
    }
    case kDouble:
        return std::bit_cast<double>(readUnsigned(p, 8));
    default:
        return std::nullopt;
    }
}

// The stored integer of a number field: for decimal formats the shown decimals become the
// integer's lower digits.
double storedValue(const ValueCoding& c, double v) {
    return v * formatScale(c.format);
}

void encodeNumber(const ValueCoding& c, double value, std::uint8_t* p) {
    const int encoding = typeEncoding(c.type);
    const double v = limited(c, value);
    IntegerType it{};
    if (integerType(encoding, it)) {
        const int bits = 8 * it.bytes;
        const std::int64_t raw =
            heldRound(storedValue(c, v), lowest(bits, it.isSigned), highest(bits));
        writeUnsigned(p, it.bytes, static_cast<std::uint64_t>(raw));
        return;
    }
    if (const int bit = bitOfType(c.type); bit >= 0) {
        // Read back, a set bit shows as its weight (1 << n): any value but 0 sets it.
        const auto m = static_cast<std::uint8_t>(1u << bit);
        p[0] = v != 0 ? (p[0] | m) : (p[0] & ~m);
        return;
    }
    switch (encoding) {
    case kHighNibble:
    case kLowNibble: {
        const auto nibble = static_cast<unsigned>(heldRound(storedValue(c, v), 0, 15));
        p[0] = encoding == kHighNibble ? static_cast<std::uint8_t>((p[0] & 0x0F) | nibble << 4)
                                       : static_cast<std::uint8_t>((p[0] & 0xF0) | nibble);
        return;
    }
    case kMask: {
        const unsigned mask = static_cast<unsigned>(c.type & 0xFF);
        const int k = std::popcount(mask);
        if (k == 0)
            return;
        const auto packed = static_cast<unsigned>(heldRound(storedValue(c, v), 0, highest(k)));
        unsigned spread = 0;
        int from = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (mask & (1u << bit))
                spread |= ((packed >> from++) & 1u) << bit;
        p[0] = static_cast<std::uint8_t>((p[0] & ~mask) | spread);
        return;
    }
    case kRangedCount: {
        double total = v * kRangedFactor;
        if (!(total > 0))
            total = 0;
        const auto range = static_cast<int>(std::min(255.0, std::floor(total / 65535.0)));
        p[0] = static_cast<std::uint8_t>(range);
        writeUnsigned(p + 1, 2,
                      static_cast<std::uint64_t>(heldRound(total / (range + 1), 0, 65535)));
        return;
    }
    case kTwentySixths:
        writeUnsigned(p, 2, static_cast<std::uint64_t>(heldRound(v * kTwentySix, 0, 65535)));
        return;
    case kFloat: {
        const double held = std::isinf(v) ? v : std::clamp(v, -double(FLT_MAX), double(FLT_MAX));
        writeUnsigned(p, 4, std::bit_cast<std::uint32_t>(static_cast<float>(held)));
        return;
    }
    case kDouble:
        writeUnsigned(p, 8, std::bit_cast<std::uint64_t>(v));
        return;
    default:
        return;
    }
}

} // namespace

std::optional<FieldValue> decodeValue(const ValueCoding& c, const Bytes& block, int offset,
                                      const RegionalSettings& regional) {
    const int width = valueWidth(c.type, c.maximum);
    if (width == 0 || offset < 0 || static_cast<std::size_t>(offset) + width > block.size())
        return std::nullopt;
    const std::uint8_t* p = block.data() + offset;
    if (isTextType(c.type))
        return FieldValue::ofText(meterTextToUtf8(p, static_cast<std::size_t>(width)));
    if (isDateType(c.type)) {
        const std::uint64_t n = readDateNumber(c.type, p);
        return FieldValue{static_cast<double>(n), dateValueText(dateOfNumber(c.type, n, regional))};
    }
    const std::optional<double> n = decodeNumber(c, p);
    if (!n)
        return std::nullopt;
    FieldValue v = FieldValue::ofNumber(*n);
    if (formatPath(c.format) == FormatPath::Text)
        v.text = plainNumberText(*n);
    return v;
}

bool encodeValue(const ValueCoding& c, const FieldValue& value, Bytes& block, int offset) {
    const int width = valueWidth(c.type, c.maximum);
    if (width == 0 || offset < 0 || static_cast<std::size_t>(offset) + width > block.size())
        return false;
    std::uint8_t* p = block.data() + offset;
    if (isTextType(c.type)) {
        utf8ToMeterText(value.text, p, static_cast<std::size_t>(width));
    } else if (isDateType(c.type)) {
        const auto n = heldRound(value.number, 0, highest(48));
        writeDateNumber(c.type, static_cast<std::uint64_t>(n), p);
    } else {
        encodeNumber(c, value.number, p);
    }
    return true;
}

} // namespace ks
