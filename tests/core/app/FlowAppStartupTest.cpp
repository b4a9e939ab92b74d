#include "TempFolder.h"
#include "app/FlowApp.h"
#include "app/ProgramHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace ks;
namespace fs = std::filesystem;

namespace {

EnvLookup envOf(std::map<std::string, std::string> vars) {
    return [vars](const std::string& name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end())
            return std::nullopt;
        return it->second;
    };
}

// A program home in a temporary folder, an empty PATH unless a test adds programs to bin/.
class StartupTest : public ::testing::Test {
protected:
    std::string home() const { return m_tmp.dir() + "home/"; }
    std::string bin() const { return m_tmp.dir() + "bin"; }
    std::string defaultConfig() const { return home() + "default.CalyptronKS"; }

    StartupInputs inputs(std::vector<std::string> args = {}) const {
        StartupInputs in;
        in.home = home();
        in.args = std::move(args);
        in.env = envOf({{"PATH", m_path}});
        return in;
    }

    void addProgram(const std::string& name, mode_t mode = 0755) {
        fs::create_directories(bin());
        writeBytes(bin() + "/" + name, "#!/bin/sh\n");
        ::chmod((bin() + "/" + name).c_str(), mode);
    }

    void writeConfig(const std::string& path, const std::string& bytes) {
        fs::create_directories(fs::path(path).parent_path());
        writeBytes(path, bytes);
    }

    TempFolder m_tmp;
    std::string m_path = "/nonexistent-folder-for-tests";
};

} // namespace

TEST_F(StartupTest, FirstStartCreatesDataAndMarksTheConfiguration) {
    CFlowApp app;
    ASSERT_EQ(app.startUp(inputs()), 0);
    EXPECT_EQ(app.programDirectory(), home());
    EXPECT_EQ(app.shortName(), "CalyptronKS");
    EXPECT_EQ(app.currentConfiguration(), defaultConfig());
    EXPECT_TRUE(fs::is_directory(home() + "Data"));
    EXPECT_EQ(app.workingFolder(), home() + "Data/");
    EXPECT_EQ(app.spreadsheetPath(), "tartempionexcel.exe");
    EXPECT_FALSE(app.logoFlag());
    EXPECT_FALSE(app.modemEnabled());
    EXPECT_FALSE(app.modemConnected());
    EXPECT_FALSE(app.simplifiedSettings());
    // The files, byte for byte as the Windows program writes them.
    EXPECT_EQ(readBytes(defaultConfig()), "[Test]\r\nTest=Ok\r\n"
                                          "[Spreadsheet]\r\n"
                                          "Path Spreadsheet=tartempionexcel.exe\r\n");
    EXPECT_EQ(readBytes(home() + "last.cfg"),
              "[LastConfig]\r\nLastConfig=" + defaultConfig() + "\r\n");

    // Shutting down stores the working folder.
    app.setWorkingFolderFromFile("/srv/measures/site 1/run.mes");
    EXPECT_EQ(app.workingFolder(), "/srv/measures/site 1/");
    ASSERT_EQ(app.shutDown(), 0);
    EXPECT_EQ(app.configuration().readString("File Save", "Path File Save", ""),
              "/srv/measures/site 1/");
}

TEST_F(StartupTest, SecondStartReopensTheLastConfiguration) {
    const std::string other = m_tmp.dir() + "site/pump.CalyptronKS";
    fs::create_directories(m_tmp.dir() + "site");
    {
        CFlowApp first;
        ASSERT_EQ(first.startUp(inputs({other})), 0);
        EXPECT_EQ(first.currentConfiguration(), other);
        first.setWorkingFolder("/srv/measures/");
        ASSERT_EQ(first.shutDown(), 0);
    }
    CFlowApp second;
    ASSERT_EQ(second.startUp(inputs()), 0);
    EXPECT_EQ(second.currentConfiguration(), other);
    // The configuration has been opened before: the stored working folder counts.
    EXPECT_EQ(second.workingFolder(), "/srv/measures/");
    EXPECT_FALSE(fs::exists(defaultConfig()));
}

TEST_F(StartupTest, CommandLinePathBecomesCurrent) {
    // Written in last.cfg before: the command line wins, and is remembered even though the
    // file does not exist yet.
    writeConfig(home() + "last.cfg", "[LastConfig]\r\nLastConfig=" + defaultConfig() + "\r\n");
    const std::string path = m_tmp.dir() + "new site.CalyptronKS";
    CFlowApp app;
    ASSERT_EQ(app.startUp(inputs({m_tmp.dir() + "new", "site.CalyptronKS"})), 0);
    EXPECT_EQ(app.currentConfiguration(), path);
    EXPECT_EQ(app.lastConfig().readString("LastConfig", "LastConfig", ""), path);
    EXPECT_EQ(app.configuration().readString("Test", "Test", ""), "Ok");
    EXPECT_EQ(app.workingFolder(), home() + "Data/");
    EXPECT_TRUE(fs::is_directory(home() + "Data"));

    // A relative path is taken from the current folder.
    const fs::path cwd = fs::current_path();
    fs::current_path(m_tmp.dir());
    CFlowApp relative;
    relative.startUp(inputs({"relative.CalyptronKS"}));
    fs::current_path(cwd);
    EXPECT_EQ(relative.currentConfiguration(), m_tmp.dir() + "relative.CalyptronKS");
    EXPECT_TRUE(fs::exists(m_tmp.dir() + "relative.CalyptronKS"));
}

TEST_F(StartupTest, UnwritableConfigurationFallsBackToTheDefault) {
    writeBytes(m_tmp.path("plain"), "not a folder");
    CFlowApp app;
    ASSERT_EQ(app.startUp(inputs({m_tmp.path("plain/site.CalyptronKS")})), 0);
    EXPECT_EQ(app.currentConfiguration(), defaultConfig());
    EXPECT_EQ(app.lastConfig().readString("LastConfig", "LastConfig", ""), defaultConfig());
    // The [Test] mark is not tried again on the default file.
    EXPECT_EQ(readBytes(defaultConfig()), "[Spreadsheet]\r\n"
                                          "Path Spreadsheet=tartempionexcel.exe\r\n");
}

TEST_F(StartupTest, WorkingFolderOfAnOpenedConfiguration) {
    struct Case {
        const char* stored; // nullptr: no key
        std::string expected;
    };
    const std::vector<Case> cases = {
        {nullptr, home() + "Data/"},
        {"", home() + "Data/"},
        {"C:\\Mesures\\", home() + "Data/"}, // a Windows path means nothing here
        {"/srv/measures/", "/srv/measures/"},
    };
    for (const auto& c : cases) {
        std::string cfg = "[Test]\r\nTest=Ok\r\n";
        if (c.stored != nullptr)
            cfg += std::string("[File Save]\r\nPath File Save=") + c.stored + "\r\n";
        writeConfig(defaultConfig(), cfg);
        fs::remove_all(home() + "Data");
        CFlowApp app;
        ASSERT_EQ(app.startUp(inputs()), 0);
        EXPECT_EQ(app.workingFolder(), c.expected) << (c.stored ? c.stored : "(none)");
        EXPECT_FALSE(fs::exists(home() + "Data")) << "only a new configuration creates it";
    }
}

TEST_F(StartupTest, StoredLastConfigMustBeAnAbsolutePath) {
    writeConfig(home() + "last.cfg",
                "[LastConfig]\r\nLastConfig=C:\\Program Files\\Calyptron\\x.CalyptronKS\r\n");
    CFlowApp app;
    ASSERT_EQ(app.startUp(inputs()), 0);
    EXPECT_EQ(app.currentConfiguration(), defaultConfig());
}

TEST_F(StartupTest, SpreadsheetProgramIsLookedUpOnPath) {
    struct Case {
        const char* stored; // nullptr: no key
        std::vector<std::pair<const char*, mode_t>> programs;
        std::string path;
        std::string expected;
    };
    const std::string b = bin();
    const std::vector<Case> cases = {
        {nullptr, {{"localc", 0755}}, b, b + "/localc"},
        {"EXCEL.EXE", {{"gnumeric", 0755}, {"libreoffice", 0755}}, b, b + "/libreoffice"},
        {"TartempionExcel.exe", {{"gnumeric", 0755}}, "/usr/nowhere::" + b + "/", b + "/gnumeric"},
        {nullptr, {{"localc", 0644}}, b, "tartempionexcel.exe"}, // not executable
        {"excel.exe", {}, b, "excel.exe"},                       // nothing found: kept
        // A path the user chose is kept, with its case.
        {"/opt/Calc/bin/MyCalc", {{"localc", 0755}}, b, "/opt/Calc/bin/MyCalc"},
    };
    for (const auto& c : cases) {
        fs::remove_all(bin());
        fs::create_directories(bin());
        for (const auto& [name, mode] : c.programs)
            addProgram(name, mode);
        fs::remove_all(home());
        if (c.stored != nullptr)
            writeConfig(defaultConfig(),
                        std::string("[Spreadsheet]\r\nPath Spreadsheet=") + c.stored + "\r\n");
        m_path = c.path;
        CFlowApp app;
        ASSERT_EQ(app.startUp(inputs()), 0);
        EXPECT_EQ(app.spreadsheetPath(), c.expected) << (c.stored ? c.stored : "(none)");
        EXPECT_EQ(app.configuration().readString("Spreadsheet", "Path Spreadsheet", ""),
                  c.expected);
    }
    // A relative PATH entry is never searched.
    fs::remove_all(home());
    addProgram("localc");
    const fs::path cwd = fs::current_path();
    fs::current_path(bin());
    m_path = ".:bin";
    CFlowApp app;
    app.startUp(inputs());
    fs::current_path(cwd);
    EXPECT_EQ(app.spreadsheetPath(), "tartempionexcel.exe");
}

TEST_F(StartupTest, LogoFlagIsSetOnceFoundAndNeverCleared) {
    fs::create_directories(home());
    {
        CFlowApp app;
        app.startUp(inputs());
        EXPECT_FALSE(app.logoFlag());
    }
    writeBytes(home() + "logo.bmp", "BM");
    {
        CFlowApp app;
        app.startUp(inputs());
        EXPECT_TRUE(app.logoFlag());
        EXPECT_EQ(app.lastConfig().readString("Logo", "Logo", ""), "Y");
    }
    fs::remove(home() + "logo.bmp");
    CFlowApp app;
    app.startUp(inputs());
    EXPECT_TRUE(app.logoFlag());

    // A folder called logo.bmp is no logo.
    fs::remove_all(home());
    fs::create_directories(home() + "logo.bmp");
    CFlowApp withFolder;
    withFolder.startUp(inputs());
    EXPECT_FALSE(withFolder.logoFlag());
}

TEST_F(StartupTest, ModemAndSimplifiedSettingsFlags) {
    struct Case {
        const char* useModem; // nullptr: no key
        const char* simplified;
        bool modemEnabled;
        bool simplifiedSettings;
    };
    const std::vector<Case> cases = {
        {nullptr, nullptr, false, false}, {"0.000000", "Y", true, true},
        {"1.000000", "y", false, false},  {"2.000000", "Yes", false, false},
        {"0.5", "", true, false},         {"abc", "Y ", false, true},
    };
    for (const auto& c : cases) {
        fs::remove_all(home());
        if (c.useModem != nullptr)
            writeConfig(defaultConfig(),
                        std::string("[Modem]\r\nUse modem=") + c.useModem + "\r\n");
        if (c.simplified != nullptr)
            writeConfig(home() + "last.cfg",
                        std::string("[Custumisation]\r\nParamSimplifie=") + c.simplified + "\r\n");
        CFlowApp app;
        ASSERT_EQ(app.startUp(inputs()), 0);
        EXPECT_EQ(app.modemEnabled(), c.modemEnabled) << (c.useModem ? c.useModem : "(none)");
        EXPECT_EQ(app.simplifiedSettings(), c.simplifiedSettings)
            << (c.simplified ? c.simplified : "(none)");
    }
}

TEST_F(StartupTest, LoadingAConfigurationRunsTheConfigurationStepsAgain) {
    CFlowApp app;
    ASSERT_EQ(app.startUp(inputs()), 0);
    app.setWorkingFolder("/srv/old/");
    const std::string other = m_tmp.dir() + "other.CalyptronKS";
    writeBytes(other, "[Test]\r\nTest=Ok\r\n[File Save]\r\nPath File Save=/srv/other/\r\n"
                      "[Modem]\r\nUse modem=0.000000\r\n");
    ASSERT_EQ(app.loadConfiguration(other), 0);
    EXPECT_EQ(app.currentConfiguration(), other);
    EXPECT_EQ(app.workingFolder(), "/srv/other/");
    EXPECT_TRUE(app.modemEnabled());
    EXPECT_EQ(app.lastConfig().readString("LastConfig", "LastConfig", ""), other);
    EXPECT_EQ(CProfileFile(defaultConfig()).readString("File Save", "Path File Save", ""),
              "/srv/old/");
    EXPECT_EQ(app.configuration().readString("Spreadsheet", "Path Spreadsheet", ""),
              "tartempionexcel.exe");
}

TEST_F(StartupTest, WithoutAUsableHomeTheProgramRunsOnDefaults) {
    writeBytes(m_tmp.path("plain"), "not a folder");
    StartupInputs in = inputs();
    in.home = m_tmp.path("plain/home");
    CFlowApp app;
    EXPECT_EQ(app.startUp(in), -1);
    EXPECT_EQ(app.currentConfiguration(), m_tmp.path("plain/home/default.CalyptronKS"));
    EXPECT_EQ(app.comSettings(), ComSettings{});
    EXPECT_EQ(app.shutDown(), -1);
}

TEST(ProgramHome, FromTheEnvironment) {
    struct Case {
        std::map<std::string, std::string> vars;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{{"CALYPTRON_HOME", "/opt/ks"}, {"HOME", "/home/u"}}, "/opt/ks/"},
        {{{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}}, "/cfg/calyptron/"},
        {{{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/u"}}, "/home/u/.config/calyptron/"},
        {{{"CALYPTRON_HOME", ""}, {"HOME", "/home/u/"}}, "/home/u/.config/calyptron/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resolveProgramHome(envOf(c.vars)), c.expected);
    const std::string cwd = fs::current_path().string();
    EXPECT_EQ(resolveProgramHome(envOf({{"CALYPTRON_HOME", "ks"}})), cwd + "/ks/");
}

// Paths written on another system may be Latin-1: they are the bytes of the file's name and
// must name that file, not a UTF-8 twin created empty in its place.
TEST_F(StartupTest, Latin1PathsStayTheBytesTheyAre) {
    const std::string site = m_tmp.dir() + "Mesures \xE9t\xE9.CalyptronKS"; // "été" in Latin-1
    const std::string data = m_tmp.dir() + "donn\xE9"
                                           "es/";
    writeConfig(site, "[Test]\r\nTest=Ok\r\n[Com]\r\nJBus=7\r\n[File Save]\r\nPath File Save=" +
                          data + "\r\n");
    writeConfig(home() + "last.cfg", "[LastConfig]\r\nLastConfig=" + site + "\r\n");
    CFlowApp app;
    ASSERT_EQ(app.startUp(inputs()), 0);
    EXPECT_EQ(app.currentConfiguration(), site);
    EXPECT_EQ(app.comSettings().slave, 7);
    EXPECT_EQ(app.workingFolder(), data);
    EXPECT_EQ(app.lastConfig().readPath(profile::kLastConfig), site);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_tmp.dir()), fs::directory_iterator()), 2)
        << "no second configuration was created";
}

TEST_F(StartupTest, OversizedConfigurationIsRefusedAndKept) {
    const std::string huge = m_tmp.dir() + "huge.CalyptronKS";
    writeConfig(huge, "[Com]\r\nJBus=9\r\n");
    fs::resize_file(huge, CProfileFile::kMaxFileBytes + 1);
    CFlowApp app;
    ASSERT_EQ(app.startUp(inputs({huge})), 0);
    EXPECT_EQ(app.refusedConfiguration(), huge);
    EXPECT_NE(app.refusalText().find("larger than 8 MiB"), std::string::npos);
    EXPECT_EQ(app.currentConfiguration(), defaultConfig());
    EXPECT_EQ(app.comSettings().slave, 1);
    EXPECT_EQ(fs::file_size(huge), CProfileFile::kMaxFileBytes + 1);

    CFlowApp again;
    ASSERT_EQ(again.startUp(inputs()), 0);
    EXPECT_TRUE(again.refusedConfiguration().empty());
}
