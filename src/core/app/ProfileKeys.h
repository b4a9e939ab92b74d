#pragma once

#include <array>
#include <string_view>

// Every section and key of the program's profile files, spelled letter for letter as the
// files of every version of the program spell them (spelling mistakes included: files must
// move between installations unchanged), with their defaults.
namespace ks::profile {

struct Setting {
    std::string_view section;
    std::string_view key;
    bool numeric;
    double numberDefault;
    std::string_view textDefault;
};

constexpr Setting text(std::string_view section, std::string_view key, std::string_view def = "") {
    return {section, key, false, 0.0, def};
}
constexpr Setting number(std::string_view section, std::string_view key, double def) {
    return {section, key, true, def, ""};
}

// last.cfg
inline constexpr Setting kLastConfig = text("LastConfig", "LastConfig");
inline constexpr Setting kLogo = text("Logo", "Logo");
inline constexpr Setting kParamSimplifie = text("Custumisation", "ParamSimplifie");

// The current configuration file.
inline constexpr Setting kTest = text("Test", "Test");
inline constexpr Setting kPathFileSave = text("File Save", "Path File Save");
inline constexpr Setting kSampleRecordTime = number("File Save", "Sample Record Time", 1);
inline constexpr Setting kRecordLapTime = number("File Save", "Record Lap Time", 0);
// At start-up the absent value reads as this placeholder, which asks for a spreadsheet
// program to be looked up; the options dialog shows the absent value as empty.
inline constexpr Setting kPathSpreadsheet =
    text("Spreadsheet", "Path Spreadsheet", "tartempionexcel.exe");
inline constexpr Setting kComPort = number("Com", "Port", 0);
inline constexpr Setting kComBauds = number("Com", "Bauds", 5);
inline constexpr Setting kComJBus = number("Com", "JBus", 1);
inline constexpr Setting kSelectionType = number("Com", "Selection Type", 1);
inline constexpr Setting kApplication = number("Com", "Application", 0);
inline constexpr Setting kMinGraph = number("Com", "Min Graph", 0);
inline constexpr Setting kMaxGraph = number("Com", "Max Graph", 2);
inline constexpr Setting kPathMacroTest = text("Com", "Path Macro Test");
inline constexpr Setting kPathTest = text("Com", "Path Test");
inline constexpr Setting kLanguage = number("Language", "Language", 0);
inline constexpr Setting kUseModem = number("Modem", "Use modem", 1);
inline constexpr Setting kNumerotation = number("Modem", "Numerotation", 0);
inline constexpr Setting kModemInit =
    text("Modem", "Initalisation string", "&F S95=0 E0 Q0 V1 W2 &K0 M0");
inline constexpr Setting kTelefonNumber = text("Modem", "Telefon number");
inline constexpr Setting kDesconnectString = text("Modem", "Desconnect string", "H0");
inline constexpr Setting kModemTimeout = number("Modem", "Time out bevor answer", 500);

inline constexpr std::array kLastCfgSettings{kLastConfig, kLogo, kParamSimplifie};

inline constexpr std::array kConfigurationSettings{
    kTest,         kPathFileSave, kSampleRecordTime, kRecordLapTime, kPathSpreadsheet,
    kComPort,      kComBauds,     kComJBus,          kSelectionType, kApplication,
    kMinGraph,     kMaxGraph,     kPathMacroTest,    kPathTest,      kLanguage,
    kUseModem,     kNumerotation, kModemInit,        kTelefonNumber, kDesconnectString,
    kModemTimeout,
};

} // namespace ks::profile
