#pragma once

#include "settings/ServiceDlg.h"

namespace ks::gui {

// The OEM dialog (template 123, block 0x122F, "dev" files): device name line, model and
// maximum chord pairs, whose lists offer only what the special settings block enables, with
// the firmware text of the identification block.
class COemDlg : public CServiceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 123;

    COemDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr, std::string filePath = {});

protected:
    std::unique_ptr<CServiceDlg> makeReference() override;
};

} // namespace ks::gui
