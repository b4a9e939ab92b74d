#include "shell/MainMenu.h"

#include "shell/MenuCommands.h"

namespace ks {

using namespace menutext;

void addDeviceMenus(CMenuBarBuilder& b) {
    b.item(kOpen, menu::kOuvrir);
    b.separator();
    b.subMenuItem(kSettings, menu::kNewEtalonnage);
    b.subMenuSeparator();
    b.subMenuItem(kAnalogOutput, menu::kNewRegKsn);
    b.subMenuSeparator();
    b.subMenuItem(kFactory, menu::kNewRegUs);
    b.subMenuSeparator();
    b.subMenuItem(kSpecialProbe, menu::kNewSondeSpe);
    b.subMenuSeparator();
    b.subMenuItem(kSpecialSettings, menu::kNewRegSpe);
    b.subMenuSeparator();
    b.subMenuItem(kOem, menu::kNewOem);
    b.attachSubMenu(kNew);
    b.separator();
    b.item(kQuit, menu::kQuitter);
    b.attachDropDown(kFile);

    b.item(kMeasurement, menu::kDialMesure);
    b.separator();
    b.item(kSettings, menu::kDialEtalonnage);
    b.separator();
    b.item(kFactory, menu::kDialRegUs);
    b.separator();
    b.item(kAnalogOutput, menu::kDialRegKsn);
    b.separator();
    b.item(kEscInfo, menu::kDialEsc);
    b.separator();
    b.item(kSpecialSettings, menu::kDialRegSpe);
    b.separator();
    b.item(kOem, menu::kDialOem);
    b.separator();
    b.item(kTest, menu::kDialTest);
    b.separator();
    b.item(kInitialisation, menu::kDialInit);
    b.separator();
    b.item(kPrintAll, menu::kDialImprimeAll);
    b.separator();
    b.item(kSaveAll, menu::kDialSauveAll);
    b.attachDropDown(kDialogue);
}

void addShellMenus(CMenuBarBuilder& b, const MenuState& state) {
    if (state.modemEnabled) {
        if (state.modemConnected) {
            b.item(kDisconnect, menu::kModemDeconnect);
            b.attachDropDown(kModemConnected);
        } else {
            b.item(kConnect, menu::kModemConnect);
            b.attachDropDown(kModemDisconnected);
        }
    }
    const bool grey = state.modemConnected;
    b.item(kConfiguration, menu::kConfConf, grey);
    b.separator();
    b.item(kSaveConfigurationAs, menu::kConfSave, grey);
    b.item(kLoadConfiguration, menu::kConfLoad, grey);
    b.attachDropDown(kConfiguration);

    b.item(kAbout, menu::kApropo);
    b.attachDropDown(kAbout);
}

MenuBarModel buildMainMenuBar(int language, const MenuState& state) {
    CMenuBarBuilder b(language);
    addDeviceMenus(b);
    addShellMenus(b, state);
    return b.finish();
}

} // namespace ks
