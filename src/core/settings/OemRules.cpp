#include "settings/OemRules.h"

#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"

namespace ks {

namespace {
namespace sp = settings::special;
namespace oem = settings::oem;
} // namespace

bool COemRules::yes(int id) const {
    const CField* f = m_fields.find(id);
    return f != nullptr && f->listIndex() == 1; // "Non", "Oui"
}

bool COemRules::modelEnabled(int model) const {
    if (model >= 1 && model <= 8)
        return yes(sp::kModel1 + 10 * (model - 1));
    if (model == 9 || model == 10)
        return yes(sp::kModel9 + 10 * (model - 9));
    return false;
}

bool COemRules::applicationEnabled(int application) const {
    return application >= 1 && application <= 3 && yes(sp::kMonochord + 10 * (application - 1));
}

void COemRules::offerAll() {
    if (CField* model = m_fields.find(oem::kModel))
        for (int k = 0; k < 10; ++k)
            model->hideChoice(k, false);
    if (CField* pair = m_fields.find(oem::kMaxPair))
        for (int k = 1; k <= 3; ++k)
            pair->hideChoice(k, false);
}

void COemRules::refresh() {
    // Hiding an entry never touches the value: the field's text keeps the stored index.
    if (CField* model = m_fields.find(oem::kModel))
        for (int k = 0; k < 10; ++k)
            model->hideChoice(k, !modelEnabled(k + 1));
    if (CField* pair = m_fields.find(oem::kMaxPair))
        for (int k = 1; k <= 3; ++k)
            pair->hideChoice(k, !applicationEnabled(k));
}

} // namespace ks
