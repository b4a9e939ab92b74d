#include "framework/FieldListBlocks.h"

#include "framework/BlockCodec.h"
#include "framework/BlockLayout.h"
#include "framework/FieldFormat.h"
#include "framework/MeterDate.h"
#include "framework/ValueFormat.h"
#include "framework/ValueType.h"
#include "i18n/DateTime.h"

#include <cmath>

namespace ks {

namespace {

// A field that shows an entry of a list: its value is an entry index.
bool showsListEntry(const CField& field) {
    return field.isList() || field.isListDisplay();
}

} // namespace

CFieldListBlocks::CFieldListBlocks(CFieldList& fields, RegionalSettings regional)
    : m_fields(fields), m_regional(std::move(regional)) {}

BlockField CFieldListBlocks::specOf(const CField& field) {
    BlockField spec;
    spec.kind = static_cast<int>(field.kind());
    spec.type = field.type();
    spec.offset = field.offset();
    spec.blockCode = field.block();
    spec.format = field.format();
    if (isTextType(field.type())) {
        spec.maximum = field.maximum(); // the text's length
    } else if (field.isClamped() && !field.isList()) {
        spec.minimum = field.minimum();
        spec.maximum = field.maximum();
    }
    return spec;
}

std::vector<BlockField> CFieldListBlocks::specs() const {
    std::vector<BlockField> out;
    out.reserve(m_fields.size());
    for (const CField& field : m_fields)
        out.push_back(specOf(field));
    return out;
}

int CFieldListBlocks::blockSize(int blockCode) const {
    return ks::blockSize(specs(), blockCode);
}

int CFieldListBlocks::registerCount(int blockCode) const {
    return ks::registerCount(specs(), blockCode);
}

int CFieldListBlocks::firstWord(int blockCode) const {
    return ks::firstWord(specs(), blockCode);
}

int CFieldListBlocks::firstAddress(int blockCode) const {
    return ks::firstAddress(specs(), blockCode);
}

void CFieldListBlocks::store(CField& field, const FieldValue& value) {
    const int type = field.type();
    if (isTextType(type)) {
        field.setText(value.text);
        return;
    }
    if (isDateType(type)) {
        field.setText(value.text);
        m_dates[&field] = value;
        return;
    }
    if (showsListEntry(field) && bitOfType(type) >= 0) {
        // A bit reads as its weight (0 or 2^n); a yes/no list needs entry 0 or 1.
        field.setListIndex(value.number != 0 ? 1 : 0);
        return;
    }
    if (formatPath(field.format()) == FormatPath::Text && !showsListEntry(field)) {
        field.setText(value.text);
        return;
    }
    // Through the field: held to its limits, printed by its format, or taken as an index.
    field.setNumber(value.number);
}

int CFieldListBlocks::decodeBlock(int blockCode, const Bytes& bytes) {
    std::vector<DecodedField> decoded;
    if (ks::decodeBlock(specs(), blockCode, bytes, decoded, m_regional) != 0)
        return -1;
    for (const DecodedField& d : decoded)
        store(m_fields[d.field], d.value);
    return 0;
}

FieldValue CFieldListBlocks::valueOf(const CField& field) const {
    const int type = field.type();
    if (isTextType(type))
        return FieldValue::ofText(field.text());
    if (isDateType(type)) {
        const auto read = m_dates.find(&field);
        if (read != m_dates.end() && read->second.text == field.text())
            return read->second;
        CDateTime date(m_regional);
        if (date.buildFromText(field.text()))
            return FieldValue::ofNumber(static_cast<double>(dateNumberOf(type, date.fields())));
        // A dialog that sets a date by its number (the meter's clock) puts the number in.
        return FieldValue::ofNumber(parseLeadingNumber(field.text()).value_or(0.0));
    }
    const double n = field.number();
    switch (formatPath(field.format())) {
    case FormatPath::Integer:
    case FormatPath::Whole:
        return FieldValue::ofNumber(std::round(n));
    case FormatPath::Number:
    case FormatPath::Text:
        // The codec scales by the format: "12.5" in a "%0.1f" field is stored as 125.
        return FieldValue::ofNumber(n);
    }
    return FieldValue::ofNumber(n);
}

Bytes CFieldListBlocks::encodeBlock(int blockCode) const {
    const std::vector<BlockField> all = specs();
    std::vector<FieldValue> values(all.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        if (takesPart(all[i], blockCode))
            values[i] = valueOf(m_fields[i]);
    return ks::encodeBlock(all, blockCode, values);
}

} // namespace ks
