#include "framework/Identification.h"

#include "framework/FieldListBlocks.h"
#include "framework/IdentificationFields.h"
#include "framework/ValueType.h"

#include <cmath>
#include <cstdio>

namespace ks {

namespace {

constexpr int kCode = Identification::kBlockCode;

// The one description of the block: where each value lies and how it is coded.
struct IdentRow {
    int control;
    int type;
    int offset;
    const char* format;
    double maximum;
};

const IdentRow kRows[] = {
    {identcontrol::kSlave, valuetype::kSigned8, 1, "%.f", 255},
    {identcontrol::kDeviceCode, valuetype::kUnsigned16, 2, "%.f", 65535},
    {identcontrol::kSerialWeek, valuetype::kSigned8, 4, "%.f", 255},
    {identcontrol::kSerialYear, valuetype::kSigned8, 5, "%.f", 255},
    {identcontrol::kSerialUnit, valuetype::kUnsigned32, 6, "%.f", 65535},
    {identcontrol::kFirmware, valuetype::kText, 10, "%s", 20},
    {identcontrol::kDescription, valuetype::kText, 30, "%s", 20},
};

constexpr unsigned kDisplay = FieldKind::kDisplay;

std::string withoutTrailingBlanks(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

long wholeNumber(const CFieldList& fields, int control) {
    const CField* f = fields.find(control);
    return f ? std::lround(f->number()) : 0;
}

std::string text(const CFieldList& fields, int control) {
    const CField* f = fields.find(control);
    return f ? withoutTrailingBlanks(f->text()) : std::string();
}

} // namespace

const std::vector<BlockField>& identificationFields() {
    static const std::vector<BlockField> fields = [] {
        std::vector<BlockField> out;
        for (const IdentRow& r : kRows)
            out.push_back(
                {static_cast<int>(kDisplay), r.type, r.offset, kCode, r.format, 0, r.maximum});
        return out;
    }();
    return fields;
}

void registerIdentificationFields(CFieldList& fields) {
    for (const IdentRow& r : kRows)
        fields.add({.id = r.control,
                    .kind = kDisplay,
                    .maximum = r.maximum,
                    .format = r.format,
                    .type = r.type,
                    .offset = r.offset,
                    .block = kCode});
}

Identification identificationOf(const CFieldList& fields) {
    Identification id;
    id.slave = static_cast<int>(wholeNumber(fields, identcontrol::kSlave));
    id.deviceCode = static_cast<int>(wholeNumber(fields, identcontrol::kDeviceCode));
    id.serialWeek = static_cast<int>(wholeNumber(fields, identcontrol::kSerialWeek));
    id.serialYear = static_cast<int>(wholeNumber(fields, identcontrol::kSerialYear));
    id.serialUnit = wholeNumber(fields, identcontrol::kSerialUnit);
    id.firmware = text(fields, identcontrol::kFirmware);
    id.description = text(fields, identcontrol::kDescription);
    return id;
}

std::string Identification::serialNumber() const {
    char text[40];
    std::snprintf(text, sizeof text, "%02d/%02d/%05ld", serialWeek, serialYear, serialUnit);
    return text;
}

bool decodeIdentification(const Bytes& block, Identification& out) {
    // Through the same fields a dialog registers, so the tool and the dialogs agree.
    CFieldList fields;
    registerIdentificationFields(fields);
    CFieldListBlocks blocks(fields);
    if (blocks.decodeBlock(kCode, block) != 0)
        return false;
    out = identificationOf(fields);
    return true;
}

} // namespace ks
