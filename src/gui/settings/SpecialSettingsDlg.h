#pragma once

#include "settings/ServiceDlg.h"

namespace ks::gui {

// The special settings (template 124, block 0x4000, "rsp" files): serial numbers of the
// meter and of its board, model, board, test function, the models and applications the
// meter may be configured as, the OEM flag, and the firmware text of the meter.
class CSpecialSettingsDlg : public CServiceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 124;

    CSpecialSettingsDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr,
                        std::string filePath = {});

protected:
    std::unique_ptr<CServiceDlg> makeReference() override;
};

} // namespace ks::gui
