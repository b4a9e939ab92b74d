#pragma once

#include "shell/MenuModel.h"

namespace ks {

// What the menu bar depends on besides its language.
struct MenuState {
    bool modemEnabled = false;   // the user reaches the meter through a modem
    bool modemConnected = false; // a modem connection is up
};

// Text numbers of the main window's menus.
namespace menutext {
inline constexpr int kFile = 180;
inline constexpr int kOpen = 198;
inline constexpr int kNew = 191;
inline constexpr int kSettings = 199;
inline constexpr int kAnalogOutput = 202;
inline constexpr int kFactory = 204;
inline constexpr int kSpecialProbe = 208;
inline constexpr int kSpecialSettings = 203;
inline constexpr int kOem = 196;
inline constexpr int kQuit = 201;
inline constexpr int kDialogue = 176;
inline constexpr int kMeasurement = 187;
inline constexpr int kEscInfo = 178;
inline constexpr int kTest = 209;
inline constexpr int kInitialisation = 184;
inline constexpr int kPrintAll = 181;
inline constexpr int kSaveAll = 206;
inline constexpr int kModemConnected = 188;
inline constexpr int kModemDisconnected = 189;
inline constexpr int kConnect = 172;
inline constexpr int kDisconnect = 175;
inline constexpr int kConfiguration = 171;
inline constexpr int kSaveConfigurationAs = 207;
inline constexpr int kLoadConfiguration = 185;
inline constexpr int kAbout = 166;
} // namespace menutext

// The File and Dialogue drop-downs (the device dialogs' commands).
void addDeviceMenus(CMenuBarBuilder& builder);

// The Modem drop-down (only when the modem is enabled), Configuration (greyed while the
// modem is connected: a configuration must not change under an open call) and About.
void addShellMenus(CMenuBarBuilder& builder, const MenuState& state);

// The main window's whole bar: File, Dialogue, [Modem], Configuration, About.
MenuBarModel buildMainMenuBar(int language, const MenuState& state);

} // namespace ks
