#pragma once

#include "framework/BlockField.h"
#include "framework/BlockFields.h"
#include "framework/FieldList.h"
#include "framework/FieldValue.h"
#include "i18n/RegionalSettings.h"

#include <map>
#include <vector>

namespace ks {

// A dialog's field list seen as register blocks: the block services (read, write, paging)
// spread a block over the fields and gather it back through this. Only value fields (choice
// list, edit box, numeric text, read-only display) with an offset in that block take part.
//
// Decoding goes through the field itself, so a number is held to the field's limits and
// printed by its display format, a list takes the entry index, a text is cut to the field's
// length. Encoding writes what each field shows: the number its text holds (for decimal
// formats the shown decimals become the stored integer's lower digits), the entry index of a
// list, the whole number of an "h" format, the text of a text field.
class CFieldListBlocks : public CBlockFields {
public:
    explicit CFieldListBlocks(CFieldList& fields,
                              RegionalSettings regional = RegionalSettings::fallback());

    CFieldList& fields() { return m_fields; }
    const CFieldList& fields() const { return m_fields; }

    int blockSize(int blockCode) const override;
    // Registers that hold the block: (size + 1) / 2.
    int registerCount(int blockCode) const;
    // The register before the block's first field, for reading only the part that has
    // fields; blockCode + firstWord is the first address.
    int firstWord(int blockCode) const;
    int firstAddress(int blockCode) const;

    // 0, or -1 with every field unchanged when the block is shorter than its fields need.
    int decodeBlock(int blockCode, const Bytes& bytes) override;
    Bytes encodeBlock(int blockCode) const override;

    // How the block coding sees one field: its limits only where the field is held to them
    // (a choice list's minimum and maximum say which entries it offers, not a range).
    static BlockField specOf(const CField& field);
    // The value the field writes into its block.
    FieldValue valueOf(const CField& field) const;

private:
    std::vector<BlockField> specs() const;
    void store(CField& field, const FieldValue& value);

    CFieldList& m_fields;
    RegionalSettings m_regional;
    // The last date read into each date field: written back unchanged while the field still
    // shows it, so a date the calendar cannot hold survives a read-write round trip.
    std::map<const CField*, FieldValue> m_dates;
};

} // namespace ks
