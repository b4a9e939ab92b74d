#pragma once

#include "settings/ParameterSet.h"

#include <memory>

namespace ks {

// The special probe dialog: one probe (text, T0, angle, frequency) saved in a file of its
// own kind, or sent by "Sauvegarde dans:" into the SA or SB probe of the meter's factory
// block. Reading from the meter shows the probe the factory block holds there.
class CProbeFileParameters : public CParameterSet {
public:
    explicit CProbeFileParameters(int language, CFieldList* dialogFields = nullptr);

    ParameterKind kind() const override { return ParameterKind::SpecialProbe; }
    CFieldList& fields() override { return m_fields; }
    CFieldListBlocks& blocks() override { return m_blocks; }
    std::vector<int> readOrder() const override;
    std::vector<int> fileOrder() const override;

    // 0 for SA, 1 for SB.
    int target() const;
    // Reads the factory block, puts the probe into the chosen probe's fields and writes the
    // block back: the other factory settings stay as the meter has them.
    TransferOutcome transfer(CBlockExchange& meter, CUserPrompts& prompts, const CalendarTime& now,
                             bool ask) override;

    // The probe into the chosen factory probe, and back.
    void copyToFactory();
    void copyFromFactory();

protected:
    void afterRead() override { copyFromFactory(); }
    std::vector<int> writeOrder() const override;

private:
    std::unique_ptr<CFieldList> m_own; // none when the set works on a dialog's list
    CFieldList& m_fields;
    CFieldListBlocks m_blocks;
};

} // namespace ks
