#pragma once

#include "framework/BlockCodec.h"
#include "framework/BlockField.h"
#include "framework/BlockFields.h"
#include "framework/FieldValue.h"
#include "i18n/RegionalSettings.h"

#include <cstddef>
#include <vector>

namespace ks {

// Fields reduced to their block coding and their values: what the block services work on
// where no dialog's field list stands behind them (identification, tools, tests).
class CBlockValues : public CBlockFields {
public:
    explicit CBlockValues(RegionalSettings regional = RegionalSettings::fallback())
        : m_regional(std::move(regional)) {}

    // Adds a field in registration order; its index.
    std::size_t add(BlockField field, FieldValue value = {});

    std::size_t size() const { return m_fields.size(); }
    const BlockField& field(std::size_t i) const { return m_fields.at(i); }
    const FieldValue& value(std::size_t i) const { return m_values.at(i); }
    void setValue(std::size_t i, FieldValue v) { m_values.at(i) = std::move(v); }
    const std::vector<BlockField>& fields() const { return m_fields; }

    int blockSize(int blockCode) const override;
    int decodeBlock(int blockCode, const Bytes& bytes) override;
    Bytes encodeBlock(int blockCode) const override;

private:
    RegionalSettings m_regional;
    std::vector<BlockField> m_fields;
    std::vector<FieldValue> m_values;
};

} // namespace ks
