#include "framework/ValueType.h"

#include <cmath>

namespace ks {

int valueWidth(int type, double maximum) {
    using namespace valuetype;
    const int encoding = typeEncoding(type);
    if (encoding >= kBit0 && encoding <= kBit7)
        return 1;
    switch (encoding) {
    case kSigned8:
    case kHighNibble:
    case kLowNibble:
    case kMask:
    case kUnsigned8:
        return 1;
    case kSigned16:
    case kUnsigned16:
    case kTwentySixths:
        return 2;
    case kSigned24:
    case kRangedCount:
        return 3;
    case kFloat:
    case kUnsigned32:
    case kSigned32:
        return 4;
    case kMeterDate:
    case kMeterDate2:
    case kMeterDate3:
    case kBcdDate:
        return 6;
    case kDouble:
        return 8;
    case kSpreadDate:
        return 13;
    case kText:
        // Limits are registered by the program, but a NaN or a negative one must not turn
        // into a huge or negative width.
        if (!(maximum >= 1))
            return 0;
        return maximum > 65535 ? 65535 : static_cast<int>(std::floor(maximum));
    default:
        return 0;
    }
}

bool isDateType(int type) {
    using namespace valuetype;
    const int e = typeEncoding(type);
    return e == kMeterDate || e == kMeterDate2 || e == kMeterDate3 || e == kBcdDate ||
           e == kSpreadDate;
}

bool isTextType(int type) {
    return typeEncoding(type) == valuetype::kText;
}

int bitOfType(int type) {
    const int e = typeEncoding(type);
    if (e < valuetype::kBit0 || e > valuetype::kBit7)
        return -1;
    return (e >> 8) - 8;
}

} // namespace ks
