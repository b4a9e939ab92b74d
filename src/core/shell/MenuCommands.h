#pragma once

#include <string_view>
#include <vector>

// The main window's commands. Each is a registered message whose name is fixed, so that
// every part of the program that needs one reaches it by name, never by a number.
namespace ks::menu {

inline constexpr std::string_view kOuvrir = "WM_USER_MENU_OUVRIR";
inline constexpr std::string_view kNewEtalonnage = "WM_USER_MENU_NEW_ETALONNAGE";
inline constexpr std::string_view kNewRegKsn = "WM_USER_MENU_NEW_REGKSN";
inline constexpr std::string_view kNewRegUs = "WM_USER_MENU_NEW_REGUS";
inline constexpr std::string_view kNewSondeSpe = "WM_USER_MENU_NEW_SONDESPE";
inline constexpr std::string_view kNewRegSpe = "WM_USER_MENU_NEW_REGSPE";
inline constexpr std::string_view kNewOem = "WM_USER_MENU_NEW_OEM";
inline constexpr std::string_view kDialMesure = "WM_USER_MENU_DIAL_MESURE";
inline constexpr std::string_view kDialEtalonnage = "WM_USER_MENU_DIAL_ETALONNAGE";
inline constexpr std::string_view kDialRegUs = "WM_USER_MENU_DIAL_REGUS";
inline constexpr std::string_view kDialRegKsn = "WM_USER_MENU_DIAL_REGKSN";
inline constexpr std::string_view kDialEsc = "WM_USER_MENU_DIAL_ESC";
inline constexpr std::string_view kDialRegSpe = "WM_USER_MENU_DIAL_REGSPE";
inline constexpr std::string_view kDialOem = "WM_USER_MENU_DIAL_OEM";
inline constexpr std::string_view kDialTest = "WM_USER_MENU_DIAL_TEST";
inline constexpr std::string_view kDialInit = "WM_USER_MENU_DIAL_INIT";
inline constexpr std::string_view kDialImprimeAll = "WM_USER_MENU_DIAL_IMPRIME_ALL";
inline constexpr std::string_view kDialSauveAll = "WM_USER_MENU_DIAL_SAUVE_ALL";
inline constexpr std::string_view kQuitter = "WM_USER_MENU_QUITTER";
inline constexpr std::string_view kConfConf = "WM_USER_MENU_CONF_CONF";
inline constexpr std::string_view kConfSave = "WM_USER_MENU_CONF_SAVE";
inline constexpr std::string_view kConfLoad = "WM_USER_MENU_CONF_LOAD";
inline constexpr std::string_view kModemConnect = "WM_USER_MENU_MODEM_CONNECT";
inline constexpr std::string_view kModemDeconnect = "WM_USER_MENU_MODEM_DECONNECT";
inline constexpr std::string_view kApropo = "WM_USER_MENU_APROPO";

// Every command name, in the order of the command table.
const std::vector<std::string_view>& commandNames();

bool isCommandName(std::string_view name);

// Registers every command name (see MessageRegistry.h); done once at start-up, before the
// main window fills its command table. Registering again is harmless.
void registerCommands();

} // namespace ks::menu
