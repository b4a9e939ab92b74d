#include "shell/MainDlg.h"

#include "app/DesktopApp.h"
#include "app/QtText.h"
#include "shell/DialogModes.h"
#include "shell/FileFilters.h"
#include "shell/MainMenu.h"
#include "shell/MenuCommands.h"
#include "shell/ShellMessage.h"

#include <filesystem>

namespace ks::gui {

namespace {

// The dialogs that save all and print all run, in their order.
const std::vector<DialogKind> kAllParameterKinds = {DialogKind::Settings, DialogKind::Factory,
                                                    DialogKind::AnalogOutput,
                                                    DialogKind::SpecialSettings, DialogKind::Oem};

} // namespace

CMainDlg::CMainDlg(QWidget* parent) : CShellDlg(kTemplate, parent) {
    using namespace dialogmode;
    setCommand(menu::kOuvrir, [this] { openFile(); });
    setCommand(menu::kNewEtalonnage, [this] { newSettings(); });
    addDeviceCommand(menu::kNewRegKsn, DialogKind::AnalogOutput, kNew);
    addDeviceCommand(menu::kNewRegUs, DialogKind::Factory, kNew);
    addDeviceCommand(menu::kNewSondeSpe, DialogKind::SpecialProbe, kNew);
    addDeviceCommand(menu::kNewRegSpe, DialogKind::SpecialSettings, kNew);
    addDeviceCommand(menu::kNewOem, DialogKind::Oem, kNew);
    addDeviceCommand(menu::kDialMesure, DialogKind::Measurement, kDialogue);
    setCommand(menu::kDialEtalonnage, [this] { runDialog(settingsKind(), kDialogue); });
    addDeviceCommand(menu::kDialRegUs, DialogKind::Factory, kDialogue);
    addDeviceCommand(menu::kDialRegKsn, DialogKind::AnalogOutput, kDialogue);
    addDeviceCommand(menu::kDialEsc, DialogKind::Esc, kDialogue);
    addDeviceCommand(menu::kDialRegSpe, DialogKind::SpecialSettings, kDialogue);
    addDeviceCommand(menu::kDialOem, DialogKind::Oem, kDialogue);
    addDeviceCommand(menu::kDialTest, DialogKind::Test, kDialogue);
    addDeviceCommand(menu::kDialInit, DialogKind::TransferChooser, kDialogue);
    setCommand(menu::kDialImprimeAll, [this] { printAll(); });
    setCommand(menu::kDialSauveAll, [this] { saveAll(); });
    rebuildMenuBar();
}

void CMainDlg::addDeviceCommand(std::string_view command, DialogKind kind, int mode) {
    setCommand(command, [this, kind, mode] { runDialog(kind, mode); });
}

void CMainDlg::buildMenuBar(CMenuBarBuilder& builder) {
    const CFlowApp& flow = app().flowApp();
    addDeviceMenus(builder);
    addShellMenus(builder, {flow.modemEnabled(), flow.modemConnected()});
}

DialogKind CMainDlg::optionsDialogKind() const {
    return app().dialogs().has(DialogKind::OptionsWithMeasurementPage)
               ? DialogKind::OptionsWithMeasurementPage
               : DialogKind::Options;
}

DialogKind CMainDlg::settingsKind() const {
    return app().flowApp().simplifiedSettings() ? DialogKind::Calibration : DialogKind::Settings;
}

std::vector<DialogKind> CMainDlg::openableKinds() const {
    std::vector<DialogKind> kinds = app().dialogs().available(
        {settingsKind(), DialogKind::Measurement, DialogKind::Factory, DialogKind::AnalogOutput,
         DialogKind::Esc, DialogKind::SpecialSettings, DialogKind::Oem, DialogKind::SpecialProbe});
    std::erase_if(kinds, [this](DialogKind k) { return app().dialogs().extension(k).empty(); });
    return kinds;
}

void CMainDlg::openFile() {
    const std::vector<DialogKind> kinds = openableKinds();
    if (kinds.empty())
        return;
    std::vector<std::string> extensions;
    for (DialogKind k : kinds)
        extensions.push_back(app().dialogs().extension(k));
    CFlowApp& flow = app().flowApp();
    const std::string chosen =
        app().prompts().openFile(utf8(text(menutext::kOpen).remove(u'&')), flow.workingFolder(),
                                 filefilter::openAny(utf8(text(shelltext::kFile)), extensions));
    if (!chosen.empty())
        openPath(chosen);
}

bool CMainDlg::openPath(const std::string& path) {
    const std::vector<DialogKind> kinds = openableKinds();
    std::vector<std::string> extensions;
    for (DialogKind k : kinds)
        extensions.push_back(app().dialogs().extension(k));
    const int index = filefilter::matchingExtension(path, extensions);
    if (index < 0)
        return false;
    const DialogKind kind = kinds[static_cast<std::size_t>(index)];
    const bool accepted = runDialog(kind, dialogmode::kOpen, path);
    if (accepted && kind == DialogKind::Calibration) {
        // With the simplified settings, a file once opened and accepted is kept aside as .sav.
        std::error_code ec;
        std::filesystem::rename(path, filefilter::withExtension(path, "sav"), ec);
    }
    return true;
}

void CMainDlg::newSettings() {
    using dialogmode::kNew;
    if (app().flowApp().simplifiedSettings()) {
        runDialog(DialogKind::Calibration, kNew);
        return;
    }
    if (!app().dialogs().has(DialogKind::Settings))
        return;
    // The sheet needs to know which kind of meter it is for.
    if (app().dialogs().has(DialogKind::TypeSelection) && !runDialog(DialogKind::TypeSelection))
        return;
    runDialog(DialogKind::Settings, kNew);
}

void CMainDlg::saveAll() {
    const std::vector<DialogKind> kinds = app().dialogs().available(kAllParameterKinds);
    if (kinds.empty())
        return;
    std::vector<std::string> extensions;
    for (DialogKind k : kinds)
        extensions.push_back(app().dialogs().extension(k));
    const std::string chosen = app().prompts().saveFile(
        utf8(text(menutext::kSaveAll).remove(u'&')), app().flowApp().workingFolder(),
        filefilter::saveAll(utf8(text(shelltext::kFile)), extensions), {});
    if (chosen.empty())
        return;
    for (std::size_t i = 0; i < kinds.size(); ++i)
        if (!runDialog(kinds[i], dialogmode::kSaveAll | dialogmode::kDialogue,
                       chosen + "." + extensions[i]))
            return;
}

void CMainDlg::printAll() {
    for (DialogKind k : app().dialogs().available(kAllParameterKinds))
        if (!runDialog(k, dialogmode::kPrintAll | dialogmode::kDialogue))
            return;
}

} // namespace ks::gui
