#pragma once

#include "settings/OemRules.h"
#include "settings/ParameterSet.h"

#include <memory>

namespace ks {

// The OEM dialog: block 0x122F (device name line, model, maximum chord pairs) with the
// firmware text of the identification block, and block 0x4000 carried unshown for the lists.
class COemParameters : public CParameterSet {
public:
    // With dialogFields, the set registers its fields into that list and works on it.
    explicit COemParameters(int language, CFieldList* dialogFields = nullptr);

    ParameterKind kind() const override { return ParameterKind::Oem; }
    CFieldList& fields() override { return m_fields; }
    CFieldListBlocks& blocks() override { return m_blocks; }
    std::vector<int> readOrder() const override;
    std::vector<int> fileOrder() const override { return readOrder(); }
    int firmwareField() const override;
    void refresh() override { m_rules.refresh(); }
    COemRules& rules() { return m_rules; }

protected:
    void beforeValues() override { m_rules.offerAll(); }
    std::vector<int> writeOrder() const override;

private:
    std::unique_ptr<CFieldList> m_own; // none when the set works on a dialog's list
    CFieldList& m_fields;
    CFieldListBlocks m_blocks;
    COemRules m_rules;
};

} // namespace ks
