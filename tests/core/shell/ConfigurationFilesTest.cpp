#include "shell/ConfigurationFiles.h"

#include "app/ProfileKeys.h"
#include "core/app/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

using namespace ks;

namespace {

class SaveConfigurationAs : public ::testing::Test {
protected:
    void SetUp() override {
        StartupInputs in;
        in.home = tmp.dir();
        ASSERT_EQ(app.startUp(in), 0);
        ASSERT_EQ(app.configuration().writeString("Com", "Port", "3.000000"), 0);
        original = readBytes(app.currentConfiguration());
        defaultPath = app.currentConfiguration();
    }

    std::string lastConfig() const { return app.lastConfig().readString(profile::kLastConfig); }

    TempFolder tmp;
    CFlowApp app;
    std::string original;
    std::string defaultPath;
};

} // namespace

TEST_F(SaveConfigurationAs, CopiesAndMakesTheCopyCurrent) {
    const std::string target = tmp.path("site.CalyptronKS");
    EXPECT_FALSE(saveConfigurationAs(app, target).any());
    EXPECT_EQ(app.currentConfiguration(), target);
    EXPECT_EQ(lastConfig(), target);
    EXPECT_EQ(readBytes(target), original);
    EXPECT_EQ(readBytes(defaultPath), original);

    // An existing file is replaced.
    const std::string other = tmp.path("other.CalyptronKS");
    writeBytes(other, "[Old]\r\nKey=1\r\n");
    EXPECT_FALSE(saveConfigurationAs(app, other).any());
    EXPECT_EQ(readBytes(other), original);
    EXPECT_EQ(app.currentConfiguration(), other);
}

TEST_F(SaveConfigurationAs, OntoItselfChangesNothing) {
    std::filesystem::create_symlink(defaultPath, tmp.path("link.CalyptronKS"));
    const std::string spellings[] = {
        defaultPath,
        tmp.dir() + "./default.CalyptronKS",
        tmp.path("link.CalyptronKS"),
    };
    for (const auto& path : spellings) {
        EXPECT_EQ(saveConfigurationAs(app, path), (ShellMessage{115, 119})) << path;
        EXPECT_EQ(app.currentConfiguration(), defaultPath);
        EXPECT_EQ(lastConfig(), defaultPath);
        EXPECT_EQ(readBytes(defaultPath), original);
    }
}

TEST_F(SaveConfigurationAs, DestinationThatCannotBeWritten) {
    ASSERT_EQ(::mkfifo(tmp.path("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(tmp.path("folder"));
    const std::string targets[] = {
        tmp.path("missing/site.CalyptronKS"), tmp.path("folder"),
        tmp.path("fifo"), // no reader: refused at once, never waited for
    };
    for (const auto& target : targets) {
        EXPECT_EQ(saveConfigurationAs(app, target), (ShellMessage{112, 119})) << target;
        EXPECT_EQ(app.currentConfiguration(), defaultPath);
        EXPECT_EQ(lastConfig(), defaultPath);
    }
    EXPECT_FALSE(std::filesystem::exists(tmp.path("missing")));
}

TEST_F(SaveConfigurationAs, FailedCopyFallsBackToTheDefault) {
    // Working on a configuration that has gone from the disk: nothing to copy.
    const std::string gone = tmp.path("gone.CalyptronKS");
    writeBytes(gone, "[Test]\r\nTest=Ok\r\n");
    ASSERT_EQ(app.loadConfiguration(gone), 0);
    std::filesystem::remove(gone);
    const std::string target = tmp.path("copy.CalyptronKS");
    writeBytes(target, "[Keep]\r\nMe=1\r\n");

    EXPECT_EQ(saveConfigurationAs(app, target), (ShellMessage{116, 119}));
    EXPECT_EQ(app.currentConfiguration(), defaultPath);
    EXPECT_EQ(lastConfig(), defaultPath);
    // The file that was there is untouched.
    EXPECT_EQ(readBytes(target), "[Keep]\r\nMe=1\r\n");
}

TEST(ConfigurationFileFilter, NamesTheShortName) {
    EXPECT_EQ(configurationFileFilter("CalyptronKS"), "Config File (*.CalyptronKS)");
}
