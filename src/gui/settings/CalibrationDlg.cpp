#include "settings/CalibrationDlg.h"

#include "controls/CButtonKS.h"
#include "settings/ServiceIds.h"

namespace ks::gui {

namespace {

namespace c = ks::settings::calibration;

std::vector<TemplateEntry> calibrationTemplate() {
    using namespace tpl;
    std::vector<TemplateEntry> t = {
        column(), field(c::kFirmware), field(c::kSyncClock), field(c::kKh), field(c::kDeltaT0),
    };
    const std::vector<TemplateEntry> buttons = CParameterDlg::buttonRow();
    t.insert(t.end(), buttons.begin(), buttons.end());
    return t;
}

} // namespace

CCalibrationDlg::CCalibrationDlg(int mode, ks::CJBusLink& link, QWidget* parent,
                                 std::string filePath)
    : CServiceDlg(ks::ParameterKind::Calibration, kTemplate, mode, link, parent,
                  std::move(filePath)) {
    setBodyTemplate(calibrationTemplate());
}

void CCalibrationDlg::afterOpening() {
    // Values of a running meter are not compared with a file here.
    if (!showsFileValues() && body() != nullptr)
        if (CButtonKS* compare = body()->button(kCompareButton))
            compare->setEnabled(false);
}

std::unique_ptr<CServiceDlg> CCalibrationDlg::makeReference() {
    return std::make_unique<CCalibrationDlg>(kComparisonMode, link(), this);
}

} // namespace ks::gui
