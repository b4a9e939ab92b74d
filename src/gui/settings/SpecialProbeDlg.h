#pragma once

#include "settings/ServiceDlg.h"

namespace ks::gui {

// A special probe (template 132, "sp" files): text, T0, angle and frequency. Save puts it in
// a file of its own kind; transfer puts it, after the question, into the probe SA or SB that
// "Sauvegarde dans:" names in the meter's factory block, the rest of that block as the meter
// holds it. Read from the meter, it shows the factory block's probe SA.
class CSpecialProbeDlg : public CServiceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 132;

    CSpecialProbeDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr,
                     std::string filePath = {});

protected:
    std::unique_ptr<CServiceDlg> makeReference() override;
};

} // namespace ks::gui
