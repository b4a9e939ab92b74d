#include "settings/OemParameters.h"

#include "settings/ServiceFields.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"

namespace ks {

namespace blk = settings::block;

COemParameters::COemParameters(int language, CFieldList* dialogFields)
    : m_own(dialogFields ? nullptr : std::make_unique<CFieldList>()),
      m_fields(dialogFields ? *dialogFields : *m_own), m_blocks(m_fields), m_rules(m_fields) {
    m_fields.setLanguage(language);
    registerOemFields(m_fields);
    m_fields.resetToDefaults();
    m_rules.refresh();
}

std::vector<int> COemParameters::readOrder() const {
    return {blk::kOem, blk::kSpecial};
}

std::vector<int> COemParameters::writeOrder() const {
    return {blk::kOem};
}

int COemParameters::firmwareField() const {
    return settings::oem::kFirmware;
}

} // namespace ks
