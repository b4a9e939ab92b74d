#include "app/FlowApp.h"

#include "app/FileAccess.h"
#include "app/ProgramHome.h"
#include "app/SpreadsheetLookup.h"
#include "app/Version.h"

#include <filesystem>

namespace ks {

namespace {

// Paths we keep are absolute: a relative one in a file (a Windows path such as
// "C:\Calyptron\x.CalyptronKS" reads as one) would land wherever the program was started.
bool isUsablePath(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

std::string joined(const std::vector<std::string>& args) {
    std::string out;
    for (const auto& a : args) {
        if (!out.empty())
            out += ' ';
        out += a;
    }
    return out;
}

} // namespace

StartupInputs StartupInputs::fromMain(int argc, const char* const* argv) {
    StartupInputs in;
    for (int i = 1; i < argc && argv != nullptr; ++i)
        if (argv[i] != nullptr)
            in.args.emplace_back(argv[i]);
    return in;
}

std::string CFlowApp::inHome(const std::string& name) const {
    return m_home.empty() ? std::string() : m_home + name;
}

int CFlowApp::startUp(int argc, const char* const* argv) {
    return startUp(StartupInputs::fromMain(argc, argv));
}

int CFlowApp::startUp(const StartupInputs& inputs) {
    m_env = inputs.env ? inputs.env : processEnvironment();
    m_home = inputs.home.empty() ? resolveProgramHome(m_env) : absolutePath(inputs.home);
    if (!m_home.empty() && m_home.back() != '/')
        m_home += '/';
    const bool homeReady = !m_home.empty() && ensureDirectory(m_home);
    m_shortName = version::shortName();
    m_modemConnected = false;
    m_logo = false;

    findCurrentConfiguration(joined(inputs.args));
    applyConfiguration();
    readSimplifiedSettings();
    return homeReady ? 0 : -1;
}

void CFlowApp::applyConfiguration() {
    checkLogo();
    findSpreadsheet();
    findWorkingFolder();
    markConfigurationOpened();
    rememberConfiguration();
    refreshModemFlag();
}

void CFlowApp::findCurrentConfiguration(const std::string& commandLine) {
    const CProfileFile last = lastConfig();
    if (!commandLine.empty()) {
        m_configuration = absolutePath(commandLine);
        last.writeString(profile::kLastConfig, m_configuration);
        return;
    }
    const std::string stored = last.readPath(profile::kLastConfig);
    m_configuration = isUsablePath(stored) ? stored : defaultConfigurationPath();
}

void CFlowApp::checkLogo() {
    const CProfileFile last = lastConfig();
    if (last.readString(profile::kLogo) == "Y") {
        m_logo = true;
    } else if (!logoPath().empty() && isReadableRegularFile(logoPath())) {
        last.writeString(profile::kLogo, "Y");
        m_logo = true;
    }
}

void CFlowApp::findSpreadsheet() {
    const std::string stored = configuration().readPath(profile::kPathSpreadsheet);
    m_spreadsheetPath = resolveSpreadsheetPath(stored, m_env("PATH").value_or(""));
}

void CFlowApp::findWorkingFolder() {
    const CProfileFile cfg = configuration();
    if (cfg.readString(profile::kTest).empty()) {
        // A configuration the program never opened: start with a fresh data folder.
        if (!dataFolder().empty())
            ensureDirectory(dataFolder());
        m_workingFolder = dataFolder();
        return;
    }
    const std::string stored = cfg.readPath(profile::kPathFileSave);
    m_workingFolder = isUsablePath(stored) ? stored : dataFolder();
}

void CFlowApp::markConfigurationOpened() {
    const CProfileFile cfg = configuration();
    m_refused = cfg.isTooLarge() ? m_configuration : std::string();
    if (cfg.writeString(profile::kTest, "Ok") != 0)
        m_configuration = defaultConfigurationPath();
}

std::string CFlowApp::refusalText() const {
    if (m_refused.empty())
        return {};
    return m_refused + ": this configuration file is larger than " +
           std::to_string(CProfileFile::kMaxFileBytes >> 20) +
           " MiB and was not read; the default configuration is used.";
}

void CFlowApp::rememberConfiguration() {
    lastConfig().writeString(profile::kLastConfig, m_configuration);
    configuration().writeString(profile::kPathSpreadsheet, m_spreadsheetPath);
}

void CFlowApp::refreshModemFlag() {
    m_modemEnabled = configuration().readInteger(profile::kUseModem) == 0;
}

void CFlowApp::readSimplifiedSettings() {
    m_simplifiedSettings = lastConfig().readString(profile::kParamSimplifie) == "Y";
}

int CFlowApp::shutDown() {
    return configuration().writeString(profile::kPathFileSave, m_workingFolder);
}

int CFlowApp::loadConfiguration(const std::string& path) {
    configuration().writeString(profile::kPathFileSave, m_workingFolder);
    const int remembered = setCurrentConfiguration(path);
    applyConfiguration();
    return remembered;
}

int CFlowApp::setCurrentConfiguration(const std::string& path) {
    m_configuration = absolutePath(path);
    return lastConfig().writeString(profile::kLastConfig, m_configuration);
}

void CFlowApp::setWorkingFolderFromFile(const std::string& filePath) {
    const std::filesystem::path parent =
        std::filesystem::path(absolutePath(filePath)).parent_path();
    std::string folder = parent.string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    m_workingFolder = folder;
}

} // namespace ks
