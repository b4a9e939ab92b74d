#include "settings/BlockParameters.h"

#include "settings/ServiceFields.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsIds.h"

namespace ks {

namespace blk = settings::block;

CBlockParameters::CBlockParameters(ParameterKind kind, int language, CFieldList* dialogFields)
    : m_kind(kind), m_own(dialogFields ? nullptr : std::make_unique<CFieldList>()),
      m_fields(dialogFields ? *dialogFields : *m_own), m_blocks(m_fields) {
    m_fields.setLanguage(language);
    switch (kind) {
    case ParameterKind::Factory:
        registerFactoryDialogFields(m_fields);
        break;
    case ParameterKind::Outputs:
        registerOutputFields(m_fields);
        break;
    case ParameterKind::Special:
        registerSpecialDialogFields(m_fields);
        break;
    default:
        registerEchoFields(m_fields);
        break;
    }
    m_fields.resetToDefaults();
}

std::vector<int> CBlockParameters::readOrder() const {
    switch (m_kind) {
    case ParameterKind::Factory:
        return {blk::kFactory};
    case ParameterKind::Outputs:
        return {blk::kOutput};
    case ParameterKind::Special:
        return {blk::kMeasurement, blk::kSpecial};
    default:
        return {blk::kMeasurement, blk::kEcho};
    }
}

std::vector<int> CBlockParameters::fileOrder() const {
    switch (m_kind) {
    case ParameterKind::Factory:
        return {blk::kFactory};
    case ParameterKind::Outputs:
        return {blk::kOutput};
    case ParameterKind::Special:
        return {blk::kSpecial};
    default:
        // The chord count travels with the tables: it says which grids a file fills.
        return {blk::kEcho, blk::kMeasurement};
    }
}

std::vector<int> CBlockParameters::writeOrder() const {
    switch (m_kind) {
    case ParameterKind::Factory:
        return {blk::kFactory};
    case ParameterKind::Outputs:
        return {blk::kOutput};
    case ParameterKind::Special:
        return {blk::kSpecial};
    default:
        return {};
    }
}

int CBlockParameters::firmwareField() const {
    return m_kind == ParameterKind::Special ? settings::special::kFirmware : 0;
}

} // namespace ks
