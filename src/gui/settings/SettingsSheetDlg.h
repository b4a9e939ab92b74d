#pragma once

#include "settings/ParameterDlg.h"
#include "settings/SettingsSheet.h"
#include "settings/SettingsTransfer.h"

#include <memory>
#include <string>

namespace ks::gui {

// The settings sheet (template 114): the meter's main configuration on four pages
// ("Général", "Sonde/Echo", "Conduite - Produit", "Débit/Sorties") with the icon buttons
// print, compare, save and transfer. The fields, the refresh rules, the transfer and the
// settings files are the core sheet's (settings/SettingsSheet.h) on this dialog's field
// list; the dialog binds the fields to the pages, runs the rules after every read, load
// and edit, and mirrors what they decided. An entry outside a field's limits is refused
// with the limits shown.
//
// Modes (main window flags): dialogue reads the meter, new starts from the defaults of
// the application chosen in the application selection, open shows a settings file, save
// all and print all read and then save or print; 16 (installation) reads, transfers at
// once and closes with OK; 36 is the reference side of a comparison.
class CSettingsSheetDlg : public CParameterDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 114;
    static constexpr int kInstallationMode = 16;

    CSettingsSheetDlg(int mode, ks::CJBusLink& link, QWidget* parent = nullptr,
                      std::string filePath = {});
    ~CSettingsSheetDlg() override;

    ks::CSettingsSheet& sheet() { return *m_sheet; }
    // The sheet's mode for a mode of the main window.
    static int sheetModeOf(int dialogMode);

    // The transfer command: question, type check, clock, totalisers, write order. What it
    // did (the failures have been shown).
    ks::TransferOutcome runTransfer();
    void transfer() override;

    void applyLanguage(int language) override;

protected:
    void onInitDialog() override;
    void valuesArrived() override;
    std::unique_ptr<CParameterDlg> comparisonInstance() override;
    bool openSpecialMode() override;
    void afterOpening() override;
    void onFieldEdited(int id) override;
    void blockWritten(int blockCode) override;

private:
    // Runs the rules and shows their outcome: fields and the outputs page's title.
    void mirror();
    void fitContents();
    bool takeEntry(ks::CField& field, const std::string& entry);

    std::unique_ptr<ks::CSettingsSheet> m_sheet;
};

} // namespace ks::gui
