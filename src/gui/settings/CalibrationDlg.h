#pragma once

#include "settings/ServiceDlg.h"

namespace ks::gui {

// The calibration (template 119, "etaBio" files): Kh and Delta T0 of chord 1 of a running
// meter, beside the whole settings sheet carried unshown. Read from the meter, its compare
// button is off; its transfer reads block 0x1100 again so that only those two values change.
class CCalibrationDlg : public CServiceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 119;

    CCalibrationDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr,
                    std::string filePath = {});

protected:
    void afterOpening() override;
    std::unique_ptr<CServiceDlg> makeReference() override;
};

} // namespace ks::gui
