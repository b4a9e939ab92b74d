#pragma once

#include "shell/ShellDlg.h"

#include <vector>

namespace ks::gui {

// The main window: the whole menu bar, and every command that opens a device dialog (taken
// from the program's dialog catalogue, see CDialogCatalogue).
class CMainDlg : public CShellDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 137;

    explicit CMainDlg(QWidget* parent = nullptr);

    // Commands of this window (also in the command table).
    void openFile();
    // Opens the file in the dialog of its kind, as Open does once a file is chosen; false
    // when no dialog of the program opens files of its extension.
    bool openPath(const std::string& path);
    void newSettings();
    void saveAll() override;
    void printAll() override;

protected:
    void buildMenuBar(CMenuBarBuilder& builder) override;
    DialogKind optionsDialogKind() const override;

private:
    // The settings sheet, or the calibration dialog with the simplified settings.
    DialogKind settingsKind() const;
    // Kinds whose settings files Open offers, in the order of the filter.
    std::vector<DialogKind> openableKinds() const;
    void addDeviceCommand(std::string_view command, DialogKind kind, int mode);
};

} // namespace ks::gui
