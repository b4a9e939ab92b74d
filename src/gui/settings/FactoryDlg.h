#pragma once

#include "settings/ServiceDlg.h"

namespace ks::gui {

// The factory settings (template 126, block 0x2200, "rus" files) on three pages:
// "Général" (function and simulation, transmitter and receiver, display language),
// "Linéarisation" (reference flow and the eleven coefficients) and "Sonde spéciale" (the
// two special probes SA and SB).
class CFactoryDlg : public CServiceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 126;

    CFactoryDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr,
                std::string filePath = {});

protected:
    std::unique_ptr<CServiceDlg> makeReference() override;
};

} // namespace ks::gui
