// calyptron-cli settings against the simulated meter: read, files, transfer and comparison.
#include "settings/SettingsFile.h"
#include "settings/SettingsSheet.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

using namespace ks;
using namespace ks::test;

namespace {

struct CliSettings : ::testing::Test {
    ProgramResult cli(std::vector<std::string> args, bool meter = true) {
        if (meter)
            args.insert(args.begin(), {"--port", sim.path()});
        return runProgram(KS_CLI_PATH, args, {{"CALYPTRON_HOME", home.path()}});
    }
    std::string file(const char* name) const { return home.path() + "/" + name; }
    // The five block images a settings file holds.
    std::vector<Bytes> images(const std::string& path) {
        CSettingsSheet sheet;
        EXPECT_TRUE(loadParameterFile(path, sheet.blocks(), sheetFileOrder()).ok()) << path;
        std::vector<Bytes> out;
        for (int block : sheetFileOrder())
            if (block != 0x0010) // live measurements move between two reads
                out.push_back(sheet.blocks().encodeBlock(block));
        return out;
    }
    TempFolder home;
    SimProcess sim;
};

TEST_F(CliSettings, RoundTripThroughAFileGivesTheSameBlocks) {
    ASSERT_TRUE(sim.start({"--app", "2"})) << sim.error();
    ProgramResult r = cli({"settings", "read", file("a.eta")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli({"settings", "set", file("a.eta"), file("b.eta"), "1100:4=l/s", "1100:1=300.5"}, false);
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli({"settings", "write", file("b.eta"), "--yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "written: 0x1100\n");
    r = cli({"settings", "read", file("c.eta")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(images(file("b.eta")), images(file("c.eta")));

    // A file compared with itself: only the title row; a changed flow unit with both entries.
    r = cli({"settings", "diff", file("c.eta"), file("c.eta")}, false);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(r.out.rfind("Paramètre\t")), "Paramètre\tRéférence\tActuel\tUnité\n");
    r = cli({"settings", "diff", file("a.eta"), "--meter"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\nUnité Q\tm3/h\tl/s\t\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nDiamètre Ext.\t27.9\t300.5\tmm\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Paramètres actuels Liaison Série"), std::string::npos);
}

TEST_F(CliSettings, ShowAndSetByKey) {
    ASSERT_TRUE(sim.start({"--app", "1"})) << sim.error();
    ASSERT_EQ(cli({"settings", "read", file("a.eta")}).status, 0);
    ProgramResult r = cli({"settings", "show", file("a.eta"), "--lang", "2"}, false);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("== Flow/Outputs ==\n[Flow]\n  Q Unit: m3/h\n"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("Chord 2"), std::string::npos);
    r = cli({"settings", "show", "--meter", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("{\"key\":\"1100:4\",\"label\":\"Unité Q\",\"value\":\"m3/h\""),
              std::string::npos);
    r = cli({"settings", "set", file("a.eta"), file("b.eta"), "1100:6=12"}, false);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Kh: \"12\" [0.001 .. 9.999]"), std::string::npos) << r.err;
}

TEST_F(CliSettings, TransferToAMeterOfAnotherApplicationIsRefused) {
    ASSERT_TRUE(sim.start({"--app", "1"})) << sim.error();
    ASSERT_EQ(cli({"settings", "read", file("one.eta")}).status, 0);
    sim.stop();
    ASSERT_TRUE(sim.start({"--app", "2"})) << sim.error();
    ASSERT_EQ(cli({"settings", "read", file("two-before.eta")}).status, 0);
    const ProgramResult r =
        cli({"settings", "write", file("one.eta"), "--yes", "--reset-totaliser", "both"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Unité connectée=Bicorde\nFichier=Monocorde"), std::string::npos) << r.err;
    ASSERT_EQ(cli({"settings", "read", file("two-after.eta")}).status, 0);
    EXPECT_EQ(images(file("two-before.eta")), images(file("two-after.eta")));
}

} // namespace
