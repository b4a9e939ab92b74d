#include "settings/SpecialSettingsDlg.h"

#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTexts.h"

namespace ks::gui {

namespace {

namespace S = ks::settings::special;
namespace tx = ks::settings::text;

constexpr int kModelsGroup = 306; // "Type"

std::vector<TemplateEntry> specialTemplate() {
    using namespace tpl;
    std::vector<TemplateEntry> t = {
        column(),
        field(S::kFirmware),
        // Week, year and number; the first row carries the label.
        field(S::kSerialWeek),
        field(S::kSerialYear),
        field(S::kSerialNumber),
        field(S::kBoardWeek),
        field(S::kBoardYear),
        field(S::kBoardNumber),
        field(S::kModel),
        field(S::kBoard),
        field(S::kMaxPair),
        field(S::kTestFunction),
        field(S::kOem),
        column(),
        titledGroup(kModelsGroup),
    };
    // Models 1 to 8 live in one byte, 9 and 10 in the byte before it.
    for (int k = 0; k < 8; ++k)
        t.push_back(field(S::kModel1 + 10 * k));
    for (int k = 0; k < 2; ++k)
        t.push_back(field(S::kModel9 + 10 * k));
    t.push_back(end());
    t.push_back(titledGroup(tx::kMaxPair));
    for (int k = 0; k < 3; ++k)
        t.push_back(field(S::kMonochord + 10 * k));
    t.push_back(end());
    const std::vector<TemplateEntry> buttons = CParameterDlg::buttonRow();
    t.insert(t.end(), buttons.begin(), buttons.end());
    return t;
}

} // namespace

CSpecialSettingsDlg::CSpecialSettingsDlg(int mode, ks::CJBusLink& link, QWidget* parent,
                                         std::string filePath)
    : CServiceDlg(ks::ParameterKind::Special, kTemplate, mode, link, parent, std::move(filePath)) {
    setBodyTemplate(specialTemplate());
}

std::unique_ptr<CServiceDlg> CSpecialSettingsDlg::makeReference() {
    return std::make_unique<CSpecialSettingsDlg>(kComparisonMode, link(), this);
}

} // namespace ks::gui
