#pragma once

#include "settings/ParameterSet.h"
#include "settings/SettingsSheet.h"

namespace ks {

// The settings sheet as a parameter dialog: its reads, file and transfer are the sheet's own.
class CSheetParameters : public CParameterSet {
public:
    explicit CSheetParameters(const ParameterContext& context);

    ParameterKind kind() const override { return ParameterKind::Settings; }
    CFieldList& fields() override { return m_sheet.fields(); }
    CFieldListBlocks& blocks() override { return m_sheet.blocks(); }
    CSettingsSheet& sheet() { return m_sheet; }
    std::vector<int> readOrder() const override { return sheetReadOrder(); }
    std::vector<int> fileOrder() const override { return sheetFileOrder(); }
    int firmwareField() const override;
    void refresh() override { m_sheet.refresh(); }

    int readFromMeter(CBlockExchange& meter) override;
    // The sheet's transfer: application check, special probe, clock, totaliser command.
    TransferOutcome transfer(CBlockExchange& meter, CUserPrompts& prompts, const CalendarTime& now,
                             bool ask) override;
    // Clock synchronisation and both totaliser resets selected.
    void prepareInstallation(const CalendarTime& now) override;

protected:
    void afterLoad() override;
    std::vector<int> writeOrder() const override { return {}; }

private:
    CSettingsSheet m_sheet;
};

} // namespace ks
