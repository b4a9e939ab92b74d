#pragma once

#include "settings/ServiceDlg.h"

namespace ks::gui {

// The analogue output adjustment (template 125, block 0x3000, "sa" files): the 4 mA and
// 20 mA points of both current outputs.
class COutputAdjustmentDlg : public CServiceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 125;

    COutputAdjustmentDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr,
                         std::string filePath = {});

protected:
    std::unique_ptr<CServiceDlg> makeReference() override;
};

} // namespace ks::gui
