#include "settings/OemDlg.h"

#include "settings/ServiceIds.h"

namespace ks::gui {

namespace {

namespace o = ks::settings::oem;

std::vector<TemplateEntry> oemTemplate() {
    using namespace tpl;
    std::vector<TemplateEntry> t = {
        column(), field(o::kFirmware), field(o::kLine1), field(o::kModel), field(o::kMaxPair),
    };
    const std::vector<TemplateEntry> buttons = CParameterDlg::buttonRow();
    t.insert(t.end(), buttons.begin(), buttons.end());
    return t;
}

} // namespace

COemDlg::COemDlg(int mode, ks::CJBusLink& link, QWidget* parent, std::string filePath)
    : CServiceDlg(ks::ParameterKind::Oem, kTemplate, mode, link, parent, std::move(filePath)) {
    setBodyTemplate(oemTemplate());
}

std::unique_ptr<CServiceDlg> COemDlg::makeReference() {
    return std::make_unique<COemDlg>(kComparisonMode, link(), this);
}

} // namespace ks::gui
