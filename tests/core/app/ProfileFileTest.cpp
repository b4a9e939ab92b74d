#include "app/ProfileFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

using namespace ks;
namespace fs = std::filesystem;

TEST(ProfileFile, WithoutAPathThereIsNoFile) {
    const CProfileFile none;
    EXPECT_EQ(none.readString("Test", "Test", "default"), "");
    EXPECT_EQ(none.readNumber("Com", "Bauds", 5), 5);
    EXPECT_EQ(none.writeString("Test", "Test", "Ok"), -1);
    EXPECT_EQ(none.writeNumber("Com", "Bauds", 5), -1);
}

TEST(ProfileFile, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
    TempFolder tmp;
    const CProfileFile cfg(tmp.path("default.CalyptronKS"));
    EXPECT_EQ(cfg.readString("Modem", "Desconnect string", "H0"), "H0");
    EXPECT_EQ(cfg.readNumber("Modem", "Time out bevor answer", 500), 500);
    // An absent number passes through "%f" like a stored one.
    EXPECT_EQ(cfg.readNumber("File Save", "Record Lap Time", 0.1234567), 0.123457);

    ASSERT_EQ(cfg.writeNumber("Com", "Bauds", 5), 0);
    ASSERT_EQ(cfg.writeString("Test", "Test", "Ok"), 0);
    ASSERT_EQ(cfg.writeNumber("Com", "Port", 2), 0);
    EXPECT_EQ(readBytes(cfg.path()), "[Com]\r\nBauds=5.000000\r\nPort=2.000000\r\n"
                                     "[Test]\r\nTest=Ok\r\n");
    EXPECT_EQ(cfg.readNumber("Com", "Bauds", 0), 5);
    EXPECT_EQ(cfg.readString("Test", "Test", ""), "Ok");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.dir()), fs::directory_iterator()), 1);
}

TEST(ProfileFile, DamagedContentsReadAsTheirReadablePart) {
    TempFolder tmp;
    const CProfileFile cfg(tmp.path("hand-edited.cfg"));
    writeBytes(cfg.path(), "[Com]\r\n"
                           "Port=abc\r\n"
                           "JBus\r\n"
                           "Bauds=4.5e0 baud\r\n"
                           "Application=1e300\r\n"
                           "Min Graph=-3.9\r\n"
                           "[Modem]\r\n"
                           "Telefon number=" +
                               std::string(10000, '7') +
                               "\r\n"
                               "Desconnect string=Donn\xE9"
                               "es\r\n" +
                               std::string("Initalisation string=AT\0Z\r\n", 27) +
                               "[File Save]\r\n"
                               "Sample Record Time=12.0");
    EXPECT_EQ(cfg.readNumber("Com", "Port", 0), 0);   // not a number: the default
    EXPECT_EQ(cfg.readInteger("Com", "JBus", 1), 1);  // no '=': the default
    EXPECT_EQ(cfg.readInteger("Com", "Bauds", 5), 4); // truncated toward zero
    EXPECT_EQ(cfg.readInteger("Com", "Application", 0), INT_MAX);
    EXPECT_EQ(cfg.readInteger("Com", "Min Graph", 0), -3);
    EXPECT_EQ(cfg.readString("Modem", "Telefon number", ""), std::string(999, '7'));
    EXPECT_EQ(cfg.readString("Modem", "Desconnect string", ""), "Donn\xC3\xA9"
                                                                "es");
    EXPECT_EQ(cfg.readString("Modem", "Initalisation string", ""), "AT");
    // The last line has lost its line end (a truncated file).
    EXPECT_EQ(cfg.readNumber("File Save", "Sample Record Time", 1), 12);

    // Writing keeps everything else, even the parts it cannot read.
    const std::string before = readBytes(cfg.path());
    ASSERT_EQ(cfg.writeNumber("Com", "Port", 3), 0);
    std::string expected = before;
    expected.replace(expected.find("Port=abc"), 8, "Port=3.000000");
    EXPECT_EQ(readBytes(cfg.path()), expected);
}

TEST(ProfileFile, LongValuesAreCutByCharacters) {
    TempFolder tmp;
    const CProfileFile cfg(tmp.path("long.cfg"));
    std::string accented;
    for (int i = 0; i < 1200; ++i)
        accented += "\xC3\xA9";
    ASSERT_EQ(cfg.writeString("Com", "Path Test", accented), 0);
    const std::string read = cfg.readString("Com", "Path Test", "");
    EXPECT_EQ(read.size(), 999u * 2);
    EXPECT_EQ(read, accented.substr(0, 999 * 2));
}

TEST(ProfileFile, UnwritablePathsFailWithoutHarm) {
    TempFolder tmp;
    writeBytes(tmp.path("plain"), "x");
    fs::create_directory(tmp.path("folder"));
    ::mkfifo(tmp.path("fifo").c_str(), 0600);
    const std::vector<std::string> paths = {
        tmp.path("no-such-folder/a.cfg"), // missing folder
        tmp.path("plain/a.cfg"),          // a file where a folder should be
        tmp.path("folder"),               // a folder
        tmp.path("fifo"),                 // reading must not wait for a writer
    };
    for (const auto& path : paths) {
        const CProfileFile cfg(path);
        EXPECT_EQ(cfg.writeString("Test", "Test", "Ok"), -1) << path;
        EXPECT_EQ(cfg.readString("Test", "Test", "none"), "none") << path;
    }
    EXPECT_EQ(readBytes(tmp.path("plain")), "x");
    EXPECT_TRUE(fs::is_fifo(tmp.path("fifo")));
}

TEST(ProfileFile, RewriteKeepsLinksAndPermissions) {
    TempFolder tmp;
    const std::string real = tmp.path("real.cfg");
    writeBytes(real, "[Test]\nTest=Ok\n");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, tmp.path("link.cfg"));

    const CProfileFile viaLink(tmp.path("link.cfg"));
    ASSERT_EQ(viaLink.writeNumber("Com", "Port", 1), 0);
    EXPECT_TRUE(fs::is_symlink(tmp.path("link.cfg")));
    EXPECT_EQ(readBytes(real), "[Test]\nTest=Ok\n[Com]\nPort=1.000000\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A link to a file that does not exist yet creates the file, not a plain file in place
    // of the link.
    fs::create_symlink(tmp.path("later.cfg"), tmp.path("dangling.cfg"));
    ASSERT_EQ(CProfileFile(tmp.path("dangling.cfg")).writeString("Test", "Test", "Ok"), 0);
    EXPECT_TRUE(fs::is_symlink(tmp.path("dangling.cfg")));
    EXPECT_EQ(readBytes(tmp.path("later.cfg")), "[Test]\r\nTest=Ok\r\n");
}

TEST(ProfileFile, OversizedFileIsRefusedAndNeverCut) {
    TempFolder tmp;
    const CProfileFile cfg(tmp.path("huge.cfg"));
    writeBytes(cfg.path(), "[Com]\r\nPort=4\r\n");
    EXPECT_FALSE(cfg.isTooLarge());
    EXPECT_EQ(cfg.readNumber("Com", "Port", 0), 4);
    fs::resize_file(cfg.path(), CProfileFile::kMaxFileBytes + 1);
    EXPECT_TRUE(cfg.isTooLarge());
    EXPECT_EQ(cfg.readNumber("Com", "Port", 0), 0);
    EXPECT_EQ(cfg.writeNumber("Com", "Port", 1), -1);
    EXPECT_EQ(fs::file_size(cfg.path()), CProfileFile::kMaxFileBytes + 1);
}

// Files must move between installations unchanged: every name letter for letter, every
// number as "%f".
TEST(ProfileFile, EverySettingWithItsDefaultAsTheFilesHoldIt) {
    TempFolder tmp;
    const CProfileFile cfg(tmp.path("default.CalyptronKS"));
    for (const auto& s : profile::kConfigurationSettings) {
        const int rc =
            s.numeric ? cfg.writeNumber(s, s.numberDefault) : cfg.writeString(s, s.textDefault);
        ASSERT_EQ(rc, 0) << s.key;
    }
    EXPECT_EQ(readBytes(cfg.path()), "[Test]\r\n"
                                     "Test=\r\n"
                                     "[File Save]\r\n"
                                     "Path File Save=\r\n"
                                     "Sample Record Time=1.000000\r\n"
                                     "Record Lap Time=0.000000\r\n"
                                     "[Spreadsheet]\r\n"
                                     "Path Spreadsheet=tartempionexcel.exe\r\n"
                                     "[Com]\r\n"
                                     "Port=0.000000\r\n"
                                     "Bauds=5.000000\r\n"
                                     "JBus=1.000000\r\n"
                                     "Selection Type=1.000000\r\n"
                                     "Application=0.000000\r\n"
                                     "Min Graph=0.000000\r\n"
                                     "Max Graph=2.000000\r\n"
                                     "Path Macro Test=\r\n"
                                     "Path Test=\r\n"
                                     "[Language]\r\n"
                                     "Language=0.000000\r\n"
                                     "[Modem]\r\n"
                                     "Use modem=1.000000\r\n"
                                     "Numerotation=0.000000\r\n"
                                     "Initalisation string=&F S95=0 E0 Q0 V1 W2 &K0 M0\r\n"
                                     "Telefon number=\r\n"
                                     "Desconnect string=H0\r\n"
                                     "Time out bevor answer=500.000000\r\n");
    const CProfileFile last(tmp.path("last.cfg"));
    for (const auto& s : profile::kLastCfgSettings)
        ASSERT_EQ(last.writeString(s, "Y"), 0);
    EXPECT_EQ(readBytes(last.path()), "[LastConfig]\r\nLastConfig=Y\r\n[Logo]\r\nLogo=Y\r\n"
                                      "[Custumisation]\r\nParamSimplifie=Y\r\n");
}

// The file is kept parsed, but a change made on disk by someone else is seen, and objects on
// one path agree.
TEST(ProfileFile, ParsedOnceButChangesOnDiskAreSeen) {
    TempFolder tmp;
    const CProfileFile a(tmp.path("c.cfg")), b(tmp.path("c.cfg"));
    ASSERT_EQ(a.writeString("Com", "Port", "1"), 0);
    EXPECT_EQ(b.readString("Com", "Port", ""), "1");
    ASSERT_EQ(b.writeString("Com", "Port", "2"), 0);
    EXPECT_EQ(a.readString("Com", "Port", ""), "2");
    writeBytes(a.path(), "[Com]\r\nPort=33\r\n");
    EXPECT_EQ(a.readString("Com", "Port", ""), "33");
    fs::remove(a.path());
    EXPECT_EQ(a.readString("Com", "Port", "gone"), "gone");
}
