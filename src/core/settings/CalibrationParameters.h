#pragma once

#include "settings/ParameterSet.h"

#include <memory>

namespace ks {

// The calibration dialog: Kh and Delta T0 of chord 1 edited beside the whole settings sheet,
// which it carries unshown and reads, saves and writes as block 0x1100.
class CCalibrationParameters : public CParameterSet {
public:
    explicit CCalibrationParameters(const ParameterContext& context,
                                    CFieldList* dialogFields = nullptr);

    ParameterKind kind() const override { return ParameterKind::Calibration; }
    CFieldList& fields() override { return m_fields; }
    CFieldListBlocks& blocks() override { return m_blocks; }
    std::vector<int> readOrder() const override;
    std::vector<int> fileOrder() const override { return readOrder(); }
    void blockFieldsSet() override { showSettings(); }
    int firmwareField() const override;

    // Reads block 0x1100 again, so that only the two calibration values change on the
    // meter; then the clock when "Synchronisation avec heure PC" is "Oui", and the settings.
    TransferOutcome transfer(CBlockExchange& meter, CUserPrompts& prompts, const CalendarTime& now,
                             bool ask) override;

protected:
    void afterRead() override { showSettings(); }
    void afterLoad() override { showSettings(); }
    void commitEdits() override;
    std::vector<int> writeOrder() const override;

private:
    // The settings' Kh and Delta T0 1 into the two edits.
    void showSettings();

    std::unique_ptr<CFieldList> m_own; // none when the set works on a dialog's list
    CFieldList& m_fields;
    CFieldListBlocks m_blocks;
};

} // namespace ks
