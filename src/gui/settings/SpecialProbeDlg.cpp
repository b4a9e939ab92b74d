#include "settings/SpecialProbeDlg.h"

#include "settings/ServiceIds.h"

namespace ks::gui {

namespace {

namespace p = ks::settings::probe;

constexpr int kProbeGroup = 270; // "Sonde spéciale"

std::vector<TemplateEntry> probeTemplate() {
    using namespace tpl;
    std::vector<TemplateEntry> t = {
        column(),         titledGroup(kProbeGroup), field(p::kText), field(p::kT0),
        field(p::kAngle), field(p::kFrequency),     end(),           field(p::kTarget),
    };
    const std::vector<TemplateEntry> buttons = CParameterDlg::buttonRow();
    t.insert(t.end(), buttons.begin(), buttons.end());
    return t;
}

} // namespace

CSpecialProbeDlg::CSpecialProbeDlg(int mode, ks::CJBusLink& link, QWidget* parent,
                                   std::string filePath)
    : CServiceDlg(ks::ParameterKind::SpecialProbe, kTemplate, mode, link, parent,
                  std::move(filePath)) {
    setBodyTemplate(probeTemplate());
}

std::unique_ptr<CServiceDlg> CSpecialProbeDlg::makeReference() {
    return std::make_unique<CSpecialProbeDlg>(kComparisonMode, link(), this);
}

} // namespace ks::gui
