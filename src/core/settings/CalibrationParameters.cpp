#include "settings/CalibrationParameters.h"

#include "framework/MeterDate.h"
#include "framework/ValueType.h"
#include "settings/ServiceFields.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"

namespace ks {

namespace {
namespace blk = settings::block;
namespace cal = settings::calibration;
namespace id = settings::id;

void copyNumber(CFieldList& fields, int from, int to) {
    const CField* a = fields.find(from);
    CField* b = fields.find(to);
    if (a && b)
        b->setNumber(a->number());
}
} // namespace

CCalibrationParameters::CCalibrationParameters(const ParameterContext& context,
                                               CFieldList* dialogFields)
    : m_own(dialogFields ? nullptr : std::make_unique<CFieldList>()),
      m_fields(dialogFields ? *dialogFields : *m_own), m_blocks(m_fields) {
    m_fields.setLanguage(context.language);
    registerCalibrationFields(m_fields);
    m_fields.resetToDefaults();
}

std::vector<int> CCalibrationParameters::readOrder() const {
    return {blk::kMain};
}

int CCalibrationParameters::firmwareField() const {
    return cal::kFirmware;
}

void CCalibrationParameters::showSettings() {
    copyNumber(m_fields, id::kKh, cal::kKh);
    copyNumber(m_fields, id::kDeltaT01, cal::kDeltaT0);
}

void CCalibrationParameters::commitEdits() {
    copyNumber(m_fields, cal::kKh, id::kKh);
    copyNumber(m_fields, cal::kDeltaT0, id::kDeltaT01);
}

std::vector<int> CCalibrationParameters::writeOrder() const {
    const CField* sync = m_fields.find(cal::kSyncClock);
    if (sync && sync->listIndex() == 0) // "Oui"
        return {blk::kClock, blk::kMain};
    return {blk::kMain};
}

TransferOutcome CCalibrationParameters::transfer(CBlockExchange& meter, CUserPrompts& prompts,
                                                 const CalendarTime& now, bool ask) {
    TransferOutcome out;
    if (!confirmed(prompts, ask)) {
        out.status = TransferOutcome::Status::Declined;
        return out;
    }
    // Only the two edits: everything else of block 0x1100 as the meter holds it now. The
    // edits are kept aside, since the read brings the meter's values into the settings.
    if (meter.readBlock(blk::kMain) != 0) {
        out.status = TransferOutcome::Status::ReadFailed;
        return out;
    }
    commitEdits();
    if (CField* clock = m_fields.find(id::kClockToSet))
        clock->setText(std::to_string(dateNumberOf(valuetype::kMeterDate3, now)));
    return writeBlocks(meter, writeOrder());
}

} // namespace ks
