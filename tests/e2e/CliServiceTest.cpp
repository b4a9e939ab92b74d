// calyptron-cli with the service dialogs' files against the simulated meter: every file kind,
// save-all, install, the factory block's bytes and the OEM lists.
#include "settings/ParameterSet.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace ks;
using namespace ks::test;

namespace {

struct CliService : ::testing::Test {
    ProgramResult cli(std::vector<std::string> args, bool meter = true) {
        if (meter)
            args.insert(args.begin(), {"--port", sim.path()});
        return runProgram(KS_CLI_PATH, args, {{"CALYPTRON_HOME", home.path()}});
    }
    std::string file(const std::string& name) const { return home.path() + "/" + name; }
    // The registers as `read` prints them: words in hexadecimal.
    std::string registers(int address, int count) {
        const ProgramResult r = cli({"read", std::to_string(address), std::to_string(count)});
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out.substr(0, r.out.find('\n'));
    }
    // A settings change into a new file; the exit status and what it said.
    ProgramResult set(const std::string& in, const std::string& out,
                      const std::vector<std::string>& assignments) {
        std::vector<std::string> args{"settings", "set", file(in), file(out)};
        args.insert(args.end(), assignments.begin(), assignments.end());
        return cli(args, false);
    }
    void write(const std::string& name) {
        const ProgramResult r = cli({"settings", "write", file(name), "--yes"});
        ASSERT_EQ(r.status, 0) << name << ": " << r.err;
    }
    TempFolder home;
    SimProcess sim;
};

TEST_F(CliService, EveryKindReadFromTheMeterComparesEqualToIt) {
    ASSERT_TRUE(sim.start({"--app", "2"})) << sim.error();
    ProgramResult r = cli({"save-all", file("all")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string listed;
    for (const char* ext : {"eta", "rus", "sa", "rsp", "dev"})
        listed += file("all") + "." + ext + "\n";
    EXPECT_EQ(r.out, listed);
    for (const char* ext : {"etaBio", "sp", "esc"}) {
        r = cli({"settings", "read", file(std::string("one.") + ext)});
        ASSERT_EQ(r.status, 0) << ext << ": " << r.err;
    }
    for (const std::string name : {"all.eta", "all.rus", "all.sa", "all.rsp", "all.dev",
                                   "one.etaBio", "one.sp", "one.esc"}) {
        SCOPED_TRACE(name);
        auto dialog = makeParameterSet(*kindOfPath(name));
        EXPECT_TRUE(dialog->load(file(name)).ok());
        r = cli({"settings", "diff", file(name), "--meter"});
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_EQ(r.out.substr(r.out.rfind("Paramètre\t")),
                  "Paramètre\tRéférence\tActuel\tUnité\n");
        r = cli({"settings", "show", file(name), "--json"}, false);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.rfind("{\"pages\":[{\"title\":", 0), 0u) << r.out;
    }
    // The echo tables are the meter's own.
    r = cli({"settings", "write", file("one.esc"), "--yes"});
    EXPECT_EQ(r.status, 2);
}

TEST_F(CliService, FactoryBlockBytesOnTheMeter) {
    ASSERT_TRUE(sim.start({"--app", "1"})) << sim.error();
    ASSERT_EQ(cli({"settings", "read", file("a.rus")}).status, 0);
    struct Case {
        const char* assignment;
        int status;
        int address, count; // registers to look at after the write
        const char* words;
        const char* error;
    };
    const Case cases[] = {
        {"2200:26=1.234", 0, 0x220D, 1, "04D2", ""},            // "Coef 50%"
        {"2200:46=ABCDEF", 0, 0x2217, 3, "4142 4344 4546", ""}, // "Texte" SA, six letters
        {"2200:52=SB", 0, 0x221A, 3, "5342 2020 2020", ""},     // "Texte" SB, padded
        {"2200:58=Tx AV2", 0, 0x221D, 1, "11C3", ""},           // last of the 18 modes
        {"2200:7=25.5", 0, 0x2203, 1, "00FF", ""},              // T0 SA at its top, after the angle
        {"2200:46=ABCDEFG", 1, 0, 0, "", "Texte: 6 max"},       // seven letters: refused
        {"2200:26=65.001", 1, 0, 0, "", "[0.000 .. 65.000]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assignment);
        const ProgramResult r = set("a.rus", "b.rus", {c.assignment});
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.status != 0) {
            EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
            continue;
        }
        write("b.rus");
        EXPECT_EQ(registers(c.address, c.count), c.words);
    }
}

TEST_F(CliService, SpecialProbeGoesIntoTheChosenFactoryProbe) {
    ASSERT_TRUE(sim.start({"--app", "1"})) << sim.error();
    ASSERT_EQ(cli({"settings", "read", file("a.sp")}).status, 0);
    ASSERT_EQ(set("a.sp", "b.sp", {"fffffe:0=PRB9", "fffffe:6=12.8", "fffffe:7=45.50"}).status, 0);
    const std::string before = registers(0x2202, 2); // SA: angle and T0
    ProgramResult r = cli({"settings", "write", file("b.sp"), "--yes", "--into", "SB"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "written: 0x2200\n");
    EXPECT_EQ(registers(0x221A, 3), "5052 4239 2020"); // "PRB9" padded
    // SA frequency, then SB: angle 45.50, T0 12.8, frequency as read, Q Ref.
    EXPECT_EQ(registers(0x2204, 3), "0111 C680 0100");
    EXPECT_EQ(registers(0x2202, 2), before);
    r = cli({"settings", "write", file("b.sp"), "--yes", "--into", "SC"});
    EXPECT_EQ(r.status, 2);
}

TEST_F(CliService, CalibrationChangesKhOnTheMeter) {
    ASSERT_TRUE(sim.start({"--app", "1"})) << sim.error();
    ASSERT_EQ(cli({"settings", "read", file("a.etaBio")}).status, 0);
    ProgramResult r = set("a.etaBio", "b.etaBio", {"1100:6=2.5", "1100:16=-12.34"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli({"settings", "show", file("b.etaBio")}, false);
    EXPECT_NE(r.out.find("  Kh: 2.500\n  Delta T0 1: -12.34 ns\n"), std::string::npos) << r.out;
    r = cli({"settings", "write", file("b.etaBio"), "--yes", "--sync-clock"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "written: 0x2301 0x1100\n");
    EXPECT_EQ(registers(0x1103, 1), "09C4");      // Kh 2.500
    EXPECT_EQ(registers(0x1108, 2), "FFFB 2E00"); // Delta T0 1, then the viscosity
}

TEST_F(CliService, OemListsFollowTheSpecialSettingsOfTheMeter) {
    ASSERT_TRUE(sim.start({"--app", "2"})) << sim.error();
    // Before: a two-chord meter of model 1.
    EXPECT_EQ(registers(0x61, 1), "0001");
    ASSERT_EQ(cli({"settings", "read", file("a.rsp")}).status, 0);
    // Models 1 and 3 allowed, no application.
    ProgramResult r =
        set("a.rsp", "b.rsp", {"4000:14.2=Oui", "4000:15.0=Non", "4000:15.1=Non", "4000:15.2=Non"});
    ASSERT_EQ(r.status, 0) << r.err;
    write("b.rsp");
    ASSERT_EQ(cli({"settings", "read", file("a.dev")}).status, 0);

    struct Case {
        const char* assignment;
        int status;
        const char* error;
    };
    const Case cases[] = {
        {"122f:16=M02", 1, "(M01, M03)"},
        {"122f:16=1", 1, "(M01, M03)"},
        {"122f:17=Bicorde", 1, "Paire Max: \"Bicorde\" ()"},
        {"122f:16=M03", 0, ""},
    };
    for (const Case& c : cases) {
        r = set("a.dev", "b.dev", {c.assignment});
        EXPECT_EQ(r.status, c.status) << c.assignment << ": " << r.err;
        if (c.status != 0) {
            EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        }
    }
    // Model 3 is stored as its place in the full list, and the meter reports it.
    write("b.dev");
    EXPECT_EQ(registers(0x1237, 1).substr(0, 2), "02");
    EXPECT_EQ(registers(0x50, 7), "4341 4C59 5054 524F 4E20 4D30 3300"); // "CALYPTRON M03"

    // Models 1 and 3 withdrawn, model 2 allowed: the stored model is no longer offered and keeps
    // its byte while the name changes; the meter reports no model it is not allowed to be.
    r = set("b.rsp", "c.rsp", {"4000:14.0=Non", "4000:14.2=Non", "4000:14.1=Oui", "4000:15.0=Oui"});
    ASSERT_EQ(r.status, 0) << r.err;
    write("c.rsp");
    ASSERT_EQ(cli({"settings", "read", file("c.dev")}).status, 0);
    r = set("c.dev", "d.dev", {"122f:0=  ACME", "122f:17=Monocorde"});
    ASSERT_EQ(r.status, 0) << r.err;
    write("d.dev");
    EXPECT_EQ(registers(0x1237, 1), "0201");
    EXPECT_EQ(registers(0x50, 7), "4341 4C59 5054 524F 4E00 0000 0000"); // "CALYPTRON"
    // The one application allowed and chosen: the meter now reports one chord.
    EXPECT_EQ(registers(0x61, 1), "0000");
}

TEST_F(CliService, InstallWritesEachChosenFileAndPutsTheSlaveNumberBack) {
    // A settings file of a one-chord meter, for the refusal below.
    ASSERT_TRUE(sim.start({"--app", "1"})) << sim.error();
    ASSERT_EQ(cli({"settings", "read", file("one-chord.eta")}).status, 0);
    sim.stop();

    ASSERT_TRUE(sim.start({"--app", "2"})) << sim.error();
    ASSERT_EQ(cli({"save-all", file("base")}).status, 0);
    ASSERT_EQ(set("base.rus", "new.rus", {"2200:26=1.234"}).status, 0);
    ASSERT_EQ(set("base.sa", "new.sa", {"3000:6=1200"}).status, 0);
    std::ofstream(file("broken.rus")) << "not a parameter file";

    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string out;
        const char* err;
    };
    const std::string slaveLine = "JBus slave number 7 (as configured)\n";
    const Case cases[] = {
        {"nothing chosen", {}, 0, slaveLine, ""},
        {"all three",
         {"--settings", file("base.eta"), "--factory", file("new.rus"), "--outputs",
          file("new.sa")},
         0,
         "settings: ok, written: 0x2301 0x1100 0x2306\nfactory: ok, written: 0x2200\n"
         "outputs: ok, written: 0x3000\n" +
             slaveLine,
         ""},
        {"a factory file that is none",
         {"--factory", file("broken.rus"), "--outputs", file("new.sa")},
         1,
         "factory: failed\noutputs: ok, written: 0x3000\n" + slaveLine,
         "Fichier incorrect"},
        {"settings of another application",
         {"--settings", file("one-chord.eta"), "--factory", file("new.rus")},
         1,
         "settings: failed\n" + slaveLine,
         "Unité connectée=Bicorde\nFichier=Monocorde"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The configured slave number is 7; the new meter answers as 1.
        std::vector<std::string> args{"--slave", "7", "install"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProgramResult r = cli(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    EXPECT_EQ(registers(0x220D, 1), "04D2");
    EXPECT_EQ(registers(0x3003, 1), "04B0");
}

} // namespace
