#include "settings/ProbeFileParameters.h"

#include "settings/ServiceFields.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"

namespace ks {

namespace {
namespace blk = settings::block;
namespace pr = settings::probe;
namespace fac = settings::factory;

struct ProbeIds {
    int text, t0, angle, frequency;
};
constexpr ProbeIds kFile{pr::kText, pr::kT0, pr::kAngle, pr::kFrequency};
constexpr ProbeIds kFactoryA{fac::kTextA, fac::kT0A, fac::kAngleA, fac::kFrequencyA};
constexpr ProbeIds kFactoryB{fac::kTextB, fac::kT0B, fac::kAngleB, fac::kFrequencyB};

void copyProbe(CFieldList& f, const ProbeIds& from, const ProbeIds& to) {
    f.find(to.text)->setText(f.find(from.text)->text());
    f.find(to.t0)->setNumber(f.find(from.t0)->number());
    f.find(to.angle)->setNumber(f.find(from.angle)->number());
    f.find(to.frequency)->setListIndex(f.find(from.frequency)->listIndex());
}
} // namespace

CProbeFileParameters::CProbeFileParameters(int language, CFieldList* dialogFields)
    : m_own(dialogFields ? nullptr : std::make_unique<CFieldList>()),
      m_fields(dialogFields ? *dialogFields : *m_own), m_blocks(m_fields) {
    m_fields.setLanguage(language);
    registerProbeFileFields(m_fields);
    m_fields.resetToDefaults();
}

std::vector<int> CProbeFileParameters::readOrder() const {
    return {blk::kFactory};
}

std::vector<int> CProbeFileParameters::fileOrder() const {
    return {blk::kProbeRecord};
}

std::vector<int> CProbeFileParameters::writeOrder() const {
    return {blk::kFactory};
}

int CProbeFileParameters::target() const {
    const CField* t = m_fields.find(pr::kTarget);
    return t && t->listIndex() == 1 ? 1 : 0;
}

void CProbeFileParameters::copyToFactory() {
    copyProbe(m_fields, kFile, target() == 1 ? kFactoryB : kFactoryA);
}

void CProbeFileParameters::copyFromFactory() {
    copyProbe(m_fields, target() == 1 ? kFactoryB : kFactoryA, kFile);
}

TransferOutcome CProbeFileParameters::transfer(CBlockExchange& meter, CUserPrompts& prompts,
                                               const CalendarTime&, bool ask) {
    TransferOutcome out;
    if (!confirmed(prompts, ask)) {
        out.status = TransferOutcome::Status::Declined;
        return out;
    }
    if (meter.readBlock(blk::kFactory) != 0) {
        out.status = TransferOutcome::Status::ReadFailed;
        return out;
    }
    copyToFactory();
    return writeBlocks(meter, writeOrder());
}

} // namespace ks
