#pragma once

#include "settings/ParameterSet.h"

#include <memory>

namespace ks {

// The dialogs that are their blocks and nothing more: factory settings (0x2200), analogue
// output adjustment (0x3000), special settings (0x4000 with the firmware text) and the echo
// table (0x0B00 with the chord count, read only).
class CBlockParameters : public CParameterSet {
public:
    CBlockParameters(ParameterKind kind, int language, CFieldList* dialogFields = nullptr);

    ParameterKind kind() const override { return m_kind; }
    CFieldList& fields() override { return m_fields; }
    CFieldListBlocks& blocks() override { return m_blocks; }
    std::vector<int> readOrder() const override;
    std::vector<int> fileOrder() const override;
    bool writable() const override { return m_kind != ParameterKind::Echo; }
    int firmwareField() const override;

protected:
    std::vector<int> writeOrder() const override;

private:
    ParameterKind m_kind;
    std::unique_ptr<CFieldList> m_own; // none when the set works on a dialog's list
    CFieldList& m_fields;
    CFieldListBlocks m_blocks;
};

} // namespace ks
