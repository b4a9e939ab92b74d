#pragma once

#include <QDialog>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ks {
class CJBusLink;
}

namespace ks::gui {

// The dialogs the main window opens from its menus, by what they are for.
enum class DialogKind {
    TypeSelection, // which kind of meter a new settings sheet is for
    Settings,      // the settings sheet
    Calibration,   // stands in for the settings sheet with the simplified settings
    Measurement,
    Factory,
    AnalogOutput,
    Esc, // the echo table
    SpecialSettings,
    Oem,
    SpecialProbe,
    Test,
    TransferChooser,
    Options,                    // the program's options
    OptionsWithMeasurementPage, // the same with the measurement options page
    ModemDial,                  // dials the meter; accepted when the call stands
    ModemHangUp,
};

// What a dialog is built with.
struct DialogRequest {
    int mode = 0;              // dialogmode flags (shell/DialogModes.h); 0 for the others
    CJBusLink* link = nullptr; // the program's one link
    QWidget* parent = nullptr; // the main window
    std::string filePath;      // the settings file for open and save-all modes
};

using DialogFactory = std::function<std::unique_ptr<QDialog>(const DialogRequest&)>;

// Which dialog class stands behind each kind, and the extension of its settings files.
// The main window runs a kind's dialog modally; a kind nobody has added is a menu command
// that does nothing.
class CDialogCatalogue {
public:
    void add(DialogKind kind, DialogFactory factory, std::string extension = {});
    bool has(DialogKind kind) const;
    // "" for a kind without settings files or not in the catalogue.
    std::string extension(DialogKind kind) const;
    // nullptr when the kind is not in the catalogue.
    std::unique_ptr<QDialog> create(DialogKind kind, const DialogRequest& request) const;

    // The kinds among these that are in the catalogue, in the same order.
    std::vector<DialogKind> available(const std::vector<DialogKind>& kinds) const;

private:
    struct Entry {
        DialogFactory factory;
        std::string extension;
    };
    std::map<DialogKind, Entry> m_entries;
};

// Fills the catalogue with the program's dialogs. Each dialog class adds its line there.
void installProgramDialogs(CDialogCatalogue& catalogue);

} // namespace ks::gui
