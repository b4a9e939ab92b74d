#include "framework/Identification.h"

#include "framework/BlockValues.h"
#include "framework/ValueType.h"

#include <cmath>
#include <cstdio>

namespace ks {

namespace {

constexpr int kDisplay = 0x0008;
constexpr int kCode = Identification::kBlockCode;

enum Index { kSlave, kDeviceCode, kWeek, kYear, kUnit, kFirmware, kDescription };

std::string withoutTrailingBlanks(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

} // namespace

const std::vector<BlockField>& identificationFields() {
    using namespace valuetype;
    static const std::vector<BlockField> fields = {
        {kDisplay, kSigned8, 1, kCode, "%.f", 0, 255},
        {kDisplay, kUnsigned16, 2, kCode, "%.f", 0, 65535},
        {kDisplay, kSigned8, 4, kCode, "%.f", 0, 255},
        {kDisplay, kSigned8, 5, kCode, "%.f", 0, 255},
        {kDisplay, kUnsigned32, 6, kCode, "%.f", 0, 65535},
        {kDisplay, kText, 10, kCode, "%s", 0, 20},
        {kDisplay, kText, 30, kCode, "%s", 0, 20},
    };
    return fields;
}

std::string Identification::serialNumber() const {
    char text[40];
    std::snprintf(text, sizeof text, "%02d/%02d/%05ld", serialWeek, serialYear, serialUnit);
    return text;
}

bool decodeIdentification(const Bytes& block, Identification& out) {
    CBlockValues values;
    for (const BlockField& f : identificationFields())
        values.add(f);
    if (values.decodeBlock(kCode, block) != 0)
        return false;
    const auto whole = [&](Index i) { return std::lround(values.value(i).number); };
    out.slave = static_cast<int>(whole(kSlave));
    out.deviceCode = static_cast<int>(whole(kDeviceCode));
    out.serialWeek = static_cast<int>(whole(kWeek));
    out.serialYear = static_cast<int>(whole(kYear));
    out.serialUnit = whole(kUnit);
    out.firmware = withoutTrailingBlanks(values.value(kFirmware).text);
    out.description = withoutTrailingBlanks(values.value(kDescription).text);
    return true;
}

} // namespace ks
