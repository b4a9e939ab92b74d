#pragma once

#include "app/ComSettings.h"
#include "app/Environment.h"
#include "app/ProfileFile.h"

#include <string>
#include <vector>

namespace ks {

// What start-up reads from outside the program; everything else comes from the files in the
// program home.
struct StartupInputs {
    // The program home; empty: $CALYPTRON_HOME, else the user's configuration folder (see
    // ProgramHome.h).
    std::string home;
    // The command-line arguments after the program's name. Joined with blanks, as the whole
    // command line always was, they are the path of the configuration file to use; none means
    // the configuration used last. A relative path is taken from the current folder.
    std::vector<std::string> args;
    // Where CALYPTRON_HOME, XDG_CONFIG_HOME, HOME and PATH are looked up; empty: the
    // environment of this process.
    EnvLookup env;

    static StartupInputs fromMain(int argc, const char* const* argv);
};

// The application object: the settings the whole program shares, found at start-up in the
// program home (which stands for the program directory), last.cfg and the current
// configuration file. It shows nothing: the desktop program shows the main window after
// startUp() and calls shutDown() when that closes; the command-line tool does the same
// around its command.
//
// No error here is ever reported to the user: a file that cannot be read gives defaults, a
// configuration that cannot be written falls back to the default configuration, silently.
class CFlowApp {
public:
    // Runs the start-up sequence: current configuration (and last.cfg), logo flag, spreadsheet
    // program, working folder (Data/ is created for a new configuration), [Test] Test=Ok,
    // modem and simplified-settings flags. Returns 0, or -1 when the program home could not
    // be found or created; the program then runs on defaults and remembers nothing.
    int startUp(const StartupInputs& inputs = {});
    int startUp(int argc, const char* const* argv);

    // Stores the working folder in the current configuration, as the program does when its
    // main window closes. 0 or -1.
    int shutDown();

    // Makes another file the current configuration, as "load configuration" does: the
    // working folder is stored in the old one, the new path is remembered in last.cfg, and
    // the logo, spreadsheet, working folder, Test key, LastConfig and modem steps of start-up
    // run again on the new file.
    int loadConfiguration(const std::string& path);

    // Makes a path the current configuration and remembers it in last.cfg (after "save
    // configuration as" copied the file there). 0, or -1 when last.cfg could not be written.
    int setCurrentConfiguration(const std::string& path);

    // The modem is enabled exactly when [Modem] "Use modem" is 0. Start-up and
    // loadConfiguration() call this; so must whoever changes the setting (the options dialog).
    void refreshModemFlag();

    // The program home, with a trailing '/': plays the part of the program directory.
    const std::string& programDirectory() const { return m_home; }
    // "CalyptronKS": the internal name without blanks, also the configuration files' extension.
    const std::string& shortName() const { return m_shortName; }
    const std::string& currentConfiguration() const { return m_configuration; }
    const std::string& workingFolder() const { return m_workingFolder; }
    void setWorkingFolder(std::string folder) { m_workingFolder = std::move(folder); }
    // The working folder becomes the folder of a file the user picked.
    void setWorkingFolderFromFile(const std::string& filePath);
    const std::string& spreadsheetPath() const { return m_spreadsheetPath; }
    bool logoFlag() const { return m_logo; }
    bool modemEnabled() const { return m_modemEnabled; }
    bool modemConnected() const { return m_modemConnected; }
    void setModemConnected(bool connected) { m_modemConnected = connected; }
    bool simplifiedSettings() const { return m_simplifiedSettings; }

    // Files in the program home ("" when there is no home).
    std::string lastCfgPath() const { return inHome("last.cfg"); }
    std::string defaultConfigurationPath() const { return inHome("default." + m_shortName); }
    std::string logoPath() const { return inHome("logo.bmp"); }
    std::string dataFolder() const { return inHome("Data/"); }

    // The configuration file that start-up or loading refused because it is larger than
    // CProfileFile::kMaxFileBytes (the default configuration is current instead); "" when
    // none was refused. refusalText() says so in a sentence for the user.
    const std::string& refusedConfiguration() const { return m_refused; }
    std::string refusalText() const;

    // Profile files bound to the current paths (a dialog keeps the one current when it opens).
    CProfileFile configuration() const { return CProfileFile(m_configuration); }
    CProfileFile lastConfig() const { return CProfileFile(lastCfgPath()); }
    // [Com] Port, Bauds and JBus of the current configuration.
    ComSettings comSettings() const { return readComSettings(configuration()); }

private:
    std::string inHome(const std::string& name) const;
    void findCurrentConfiguration(const std::string& commandLine);
    void checkLogo();
    void findSpreadsheet();
    void findWorkingFolder();
    void markConfigurationOpened();
    void rememberConfiguration();
    void readSimplifiedSettings();
    // The steps that run again on a newly loaded configuration.
    void applyConfiguration();

    EnvLookup m_env;
    std::string m_home;
    std::string m_shortName;
    std::string m_configuration;
    std::string m_workingFolder;
    std::string m_spreadsheetPath;
    bool m_logo = false;
    bool m_modemEnabled = false;
    bool m_modemConnected = false;
    bool m_simplifiedSettings = false;
    std::string m_refused;
};

} // namespace ks
