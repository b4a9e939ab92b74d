#include "settings/OutputAdjustmentDlg.h"

#include "settings/ServiceIds.h"

namespace ks::gui {

namespace {

namespace o = ks::settings::output;

std::vector<TemplateEntry> outputTemplate() {
    using namespace tpl;
    std::vector<TemplateEntry> t = {
        column(), group(o::kGroupOutput1), field(o::kOutput1At4mA), field(o::kOutput1At20mA), end(),
        column(), group(o::kGroupOutput2), field(o::kOutput2At4mA), field(o::kOutput2At20mA), end(),
    };
    const std::vector<TemplateEntry> buttons = CParameterDlg::buttonRow();
    t.insert(t.end(), buttons.begin(), buttons.end());
    return t;
}

} // namespace

COutputAdjustmentDlg::COutputAdjustmentDlg(int mode, ks::CJBusLink& link, QWidget* parent,
                                           std::string filePath)
    : CServiceDlg(ks::ParameterKind::Outputs, kTemplate, mode, link, parent, std::move(filePath)) {
    setBodyTemplate(outputTemplate());
}

std::unique_ptr<CServiceDlg> COutputAdjustmentDlg::makeReference() {
    return std::make_unique<COutputAdjustmentDlg>(kComparisonMode, link(), this);
}

} // namespace ks::gui
