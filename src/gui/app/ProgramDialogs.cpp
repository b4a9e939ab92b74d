#include "app/DialogCatalogue.h"

#include "measurement/CMeasureDlg.h"
#include "measurement/CMeasureOptionsDlg.h"
#include "reports/CTestDlg.h"
#include "settings/ApplicationSelectionDlg.h"
#include "settings/CEscDlg.h"
#include "settings/CalibrationDlg.h"
#include "settings/FactoryDlg.h"
#include "settings/OemDlg.h"
#include "settings/OutputAdjustmentDlg.h"
#include "settings/SettingsSheetDlg.h"
#include "settings/SpecialProbeDlg.h"
#include "settings/SpecialSettingsDlg.h"
#include "settings/TransferChooserDlg.h"
#include "shell/ModemDlg.h"
#include "shell/OptionsDlg.h"

namespace ks::gui {

namespace {

// A parameter dialog of class D, built on the request's mode and file.
template <class D> DialogFactory parameterDialog() {
    return [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
        if (r.link == nullptr)
            return nullptr;
        return std::make_unique<D>(r.mode, *r.link, r.parent, r.filePath);
    };
}

} // namespace

// One entry per dialog the menus open. Kinds not added here are menu commands that do
// nothing until their dialog exists.
void installProgramDialogs(CDialogCatalogue& catalogue) {
    catalogue.add(DialogKind::Options, [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
        if (r.link == nullptr)
            return nullptr;
        return std::make_unique<COptionsDlg>(*r.link, r.parent);
    });
    catalogue.add(DialogKind::OptionsWithMeasurementPage,
                  [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
                      if (r.link == nullptr)
                          return nullptr;
                      return std::make_unique<CMeasureOptionsDlg>(*r.link, r.parent);
                  });
    catalogue.add(
        DialogKind::Measurement,
        [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
            if (r.link == nullptr)
                return nullptr;
            return std::make_unique<CMeasureDlg>(r.mode, *r.link, r.parent, r.filePath);
        },
        "mes");
    catalogue.add(DialogKind::TypeSelection,
                  [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
                      return std::make_unique<CApplicationSelectionDlg>(r.parent);
                  });
    catalogue.add(
        DialogKind::Settings,
        [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
            if (r.link == nullptr)
                return nullptr;
            return std::make_unique<CSettingsSheetDlg>(r.mode, *r.link, r.parent, r.filePath);
        },
        "eta");
    catalogue.add(DialogKind::Esc, parameterDialog<CEscDlg>(), "esc");
    catalogue.add(DialogKind::Test, [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
        if (r.link == nullptr)
            return nullptr;
        return std::make_unique<CTestDlg>(r.mode, *r.link, r.parent);
    });
    catalogue.add(DialogKind::Calibration, parameterDialog<CCalibrationDlg>(), "etaBio");
    catalogue.add(DialogKind::Factory, parameterDialog<CFactoryDlg>(), "rus");
    catalogue.add(DialogKind::AnalogOutput, parameterDialog<COutputAdjustmentDlg>(), "sa");
    catalogue.add(DialogKind::SpecialProbe, parameterDialog<CSpecialProbeDlg>(), "sp");
    catalogue.add(DialogKind::SpecialSettings, parameterDialog<CSpecialSettingsDlg>(), "rsp");
    catalogue.add(DialogKind::Oem, parameterDialog<COemDlg>(), "dev");
    catalogue.add(DialogKind::TransferChooser,
                  [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
                      if (r.link == nullptr)
                          return nullptr;
                      return std::make_unique<CTransferChooserDlg>(*r.link, r.parent);
                  });
    catalogue.add(DialogKind::ModemDial, [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
        if (r.link == nullptr)
            return nullptr;
        return std::make_unique<CModemDlg>(CModemDlg::Mode::Connect, *r.link, r.parent);
    });
    catalogue.add(DialogKind::ModemHangUp, [](const DialogRequest& r) -> std::unique_ptr<QDialog> {
        if (r.link == nullptr)
            return nullptr;
        return std::make_unique<CModemDlg>(CModemDlg::Mode::Disconnect, *r.link, r.parent);
    });
}

} // namespace ks::gui
