#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ks;
namespace id = settings::id;

namespace {

struct Set {
    int field;
    const char* value; // entry text or number
};

struct Expect {
    int field;
    bool shown;
};

struct Case {
    const char* name;
    int app = 1; // application type of the meter
    bool velocity = false;
    std::vector<Set> set;
    std::vector<Expect> expect;
};

void setValue(CSettingsSheet& s, const Set& v) {
    std::string error;
    ASSERT_EQ(setFieldFromText(*s.fields().find(v.field), v.value, error), 0) << error;
}

// A sheet as read from a meter of that application type, with some values changed.
void prepare(CSettingsSheet& s, int app, const std::vector<Set>& set) {
    s.fields().find(id::kTwoChords)->setNumber(app == 2 ? 1 : 0);
    s.fields().find(id::kTwoPipes)->setNumber(app == 3 ? 1 : 0);
    s.rules().valuesLoaded();
    s.refresh();
    for (const Set& v : set)
        setValue(s, v);
    s.refresh();
}

const char* kStraight = "PR-W01"; // angle 0
const char* kAngled = "PR-A01";

TEST(SettingsRules, VisibilityByCase) {
    const std::vector<Case> cases = {
        {"one chord meter: one chord, hidden count, no chord 2",
         1,
         false,
         {{id::kChords, "2"}},
         {{id::kChords, false}, {id::kGroupChord2, false}, {id::kDeltaT02, false}}},
        {"two chords straight: chord 2 with its paths and C.V.",
         2,
         false,
         {{id::kChords, "2"}, {id::kProbe, kStraight}},
         {{id::kGroupChord2, true},
          {id::kLength2, true},
          {id::kCv1, true},
          {id::kCv2, true},
          {id::kLength1, true},
          {id::kMounting, false},
          {id::kGroupKh, false}}},
        {"two chords angled: no paths, mounting, Kh group",
         2,
         false,
         {{id::kChords, "2"}, {id::kProbe, kAngled}},
         {{id::kGroupChord2, true},
          {id::kLength2, false},
          {id::kAxial2, false},
          {id::kCv1, false},
          {id::kLength1, false},
          {id::kAxial1, false},
          {id::kMounting, true},
          {id::kGroupKh, true}}},
        {"one chord straight keeps the Kh group",
         1,
         false,
         {{id::kProbe, kStraight}},
         {{id::kGroupKh, true}, {id::kLength1, true}, {id::kMounting, false}}},
        {"material Autre on pipe 1",
         1,
         false,
         {{id::kMaterial1, "Autre"}},
         {{id::kMaterialSpeed, true}}},
        {"material Cuivre", 1, false, {{id::kMaterial1, "Cuivre"}}, {{id::kMaterialSpeed, false}}},
        {"two pipes, Autre on pipe 2 only",
         3,
         false,
         {{id::kChords, "2"}, {id::kMaterial1, "Cuivre"}, {id::kMaterial2, "Autre"}},
         {{id::kMaterialSpeed, true}, {id::kGroupPipe2, true}, {id::kMaterial2, true}}},
        {"one chord, Autre on the hidden pipe 2 counts not",
         1,
         false,
         {{id::kMaterial1, "Cuivre"}, {id::kMaterial2, "Autre"}},
         {{id::kMaterialSpeed, false}, {id::kGroupPipe2, false}}},
        {"product Eau",
         1,
         false,
         {{id::kProduct, "Eau"}},
         {{id::kC0, false}, {id::kDeltaC, false}}},
        {"product Autre",
         1,
         false,
         {{id::kProduct, "Autre"}},
         {{id::kC0, true}, {id::kDeltaC, true}}},
        {"KH manual",
         1,
         false,
         {{id::kKhType, "Manuel"}},
         {{id::kKh, true},
          {id::kViscosity, false},
          {id::kRoughness, false},
          {id::kReynolds, false},
          {id::kLbr, false}}},
        {"KH automatic",
         1,
         false,
         {{id::kKhType, "Automatique"}},
         {{id::kKh, false}, {id::kViscosity, true}, {id::kLbr, true}}},
        {"threshold relay, one pipe",
         2,
         false,
         {{id::kRelayType1, "Seuil Q"}, {id::kRelayType2, "Ouvert"}},
         {{id::kThreshold1, true}, {id::kThreshold2, false}, {id::kGroupPulse, false}}},
        {"volume relay shows the pulses",
         1,
         false,
         {{id::kRelayType2, "Volume 2"}},
         {{id::kGroupPulse, true}, {id::kPulseWeight, true}, {id::kPulseWidth, true}}},
        {"two pipes: threshold types 9 to 11",
         3,
         false,
         {{id::kRelayType1, "Seuil QT"}, {id::kRelayType2, "5"}},
         {{id::kThreshold1, true}, {id::kThreshold2, false}}},
        {"two pipes: QT, volume type, no C.V.",
         3,
         false,
         {{id::kChords, "2"}, {id::kProbe, kStraight}},
         {{id::kGroupQt, true},
          {id::kVolumeType1, true},
          {id::kCv1, false},
          {id::kCv2, false},
          {id::kGroupPipe2, true}}},
        {"velocity application",
         2,
         true,
         {{id::kProbe, kStraight}, {id::kRelayType1, "Volume 1"}},
         {{id::kResetTotaliser1, false},
          {id::kResetTotaliser2, false},
          {id::kGroupPipe1, false},
          {id::kDiameter1, false},
          {id::kGroupVolume1, false},
          {id::kDirection2, false},
          {id::kPulseWeight, false},
          {id::kPulseWidth, true},
          {id::kFlowUnit, false}}},
        {"velocity with an angled probe keeps pipe 1",
         1,
         true,
         {{id::kProbe, kAngled}},
         {{id::kGroupPipe1, true}, {id::kDiameter1, true}, {id::kThickness1, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSettingsSheet sheet({sheetmode::kMeter, c.velocity, 1});
        prepare(sheet, c.app, c.set);
        for (const Expect& e : c.expect)
            EXPECT_EQ(sheet.fields().find(e.field)->isShown(), e.shown) << e.field;
    }
}

TEST(SettingsRules, GainTypeTitlesAndEnablesTheMargin) {
    struct GainCase {
        const char* type;
        const char* label;
        bool enabled;
    };
    for (const GainCase g :
         {GainCase{"Manuel", "Gain", true}, GainCase{"Automatique", "Marge", true},
          GainCase{"E.S.C.", "Marge", false}}) {
        SCOPED_TRACE(g.type);
        CSettingsSheet sheet;
        prepare(sheet, 2, {{id::kChords, "2"}, {id::kGainType1, g.type}, {id::kGainType2, g.type}});
        for (int margin : {id::kMargin1, id::kMargin2}) {
            const CField& f = *sheet.fields().find(margin);
            EXPECT_EQ(f.label(), g.label);
            EXPECT_EQ(f.isDisabled(), !g.enabled);
        }
        EXPECT_EQ(sheet.fields().find(id::kPolarity1)->isDisabled(), !g.enabled);
    }
}

TEST(SettingsRules, ListsFollowTheApplication) {
    struct ListCase {
        int app;
        bool velocity;
        std::string firstScreen0, relay3, output0;
        std::size_t outputs;
    };
    for (const ListCase& l : {ListCase{1, false, "Débit", "Défaut Q", "Q", 4},
                              ListCase{2, false, "Débit", "Défaut Q", "Q", 9},
                              ListCase{3, false, "QT", "Défaut Q1", "QT", 9},
                              ListCase{2, true, "Vitesse", "Défaut V", "Q", 9}}) {
        SCOPED_TRACE(l.app);
        CSettingsSheet sheet({sheetmode::kMeter, l.velocity, 1});
        prepare(sheet, l.app, {});
        const CFieldList& f = sheet.fields();
        EXPECT_EQ(f.find(id::kFirstScreen)->listTexts().at(0), l.firstScreen0);
        EXPECT_EQ(f.find(id::kRelayType2)->listTexts().at(3), l.relay3);
        EXPECT_EQ(f.find(id::kOutputType1)->listTexts().at(0), l.output0);
        EXPECT_EQ(f.find(id::kOutputType2)->listTexts().size(), l.outputs);
    }
}

TEST(SettingsRules, TitlesAndUnitsOfFlowAndVelocity) {
    CSettingsSheet flow;
    prepare(flow, 1, {{id::kFlowUnit, "l/h"}});
    EXPECT_EQ(flow.fields().find(id::kThreshold1)->unit(), "l/h");
    EXPECT_EQ(flow.fields().find(id::kQMax)->label(), "Q Max");
    EXPECT_EQ(flow.rules().outputsPageTitle(), 91);

    CSettingsSheet velocity({sheetmode::kMeter, true, 1});
    prepare(velocity, 1, {{id::kFlowUnit, "l/h"}});
    const CFieldList& v = velocity.fields();
    EXPECT_EQ(v.find(id::kThreshold2)->unit(), "m/s");
    EXPECT_EQ(v.find(id::kGroupFlow)->label(), "Vitesse");
    EXPECT_EQ(v.find(id::kQMax)->label(), "V Max");
    EXPECT_EQ(v.find(id::kQCut)->label(), "V Eff.");
    EXPECT_EQ(velocity.rules().outputsPageTitle(), 276);

    CSettingsSheet pipes;
    prepare(pipes, 3, {});
    EXPECT_EQ(pipes.fields().find(id::kGroupChord1)->label(), "Conduite 1");
    EXPECT_EQ(pipes.fields().find(id::kGroupChord2)->label(), "Conduite 2");
}

TEST(SettingsRules, QtFormulaOfTwoPipes) {
    CSettingsSheet sheet;
    prepare(sheet, 3, {{id::kCoefficientA, "+1"}, {id::kCoefficientB, "-1"}});
    EXPECT_EQ(sheet.fields().find(id::kQtFormula)->text(), "QT= +1 x Q1 -1 x Q2");
    prepare(sheet, 3, {{id::kCoefficientA, "+0"}, {id::kCoefficientB, "+1"}});
    EXPECT_EQ(sheet.fields().find(id::kQtFormula)->text(), "QT= +0 x Q1 +1 x Q2");
}

TEST(SettingsRules, ProbeSelectionFollowsTheStoredIndexAndTheList) {
    CSettingsSheet sheet;
    sheet.fields().find(id::kProbeRef)->setNumber(7);
    sheet.rules().valuesLoaded();
    sheet.refresh();
    EXPECT_EQ(sheet.fields().find(id::kProbe)->shownText(), "PR-A06");
    setValue(sheet, {id::kProbe, "PR-W02"});
    sheet.refresh();
    EXPECT_EQ(sheet.fields().find(id::kProbeRef)->number(), 15);
}

TEST(SettingsRules, DefaultsModeTakesTheSelectedApplication) {
    for (int type : {1, 2, 3}) {
        CSettingsSheet sheet({sheetmode::kDefaults, false, type});
        sheet.loadDefaults();
        EXPECT_EQ(sheet.rules().applicationType(), type);
    }
}

TEST(ProbeCatalogue, SpecialProbesFromTheFactorySettings) {
    CSettingsSheet sheet;
    CFieldList& f = sheet.fields();
    EXPECT_EQ(CProbeCatalogue::fromFactoryFields(f).names().at(1), "SB(----)");
    f.find(settings::factory::kT0B)->setNumber(3.5);
    f.find(settings::factory::kAngleB)->setNumber(45.5);
    f.find(settings::factory::kTextB)->setText("KX1234");
    const CProbeCatalogue c = CProbeCatalogue::fromFactoryFields(f);
    EXPECT_EQ(c.names().at(0), "SA(----)");
    EXPECT_EQ(c.names().at(1), "SBKX1234");
    EXPECT_EQ(c.at(1)->angle, 4550u);
    EXPECT_EQ(c.at(1)->t0, 35);
    EXPECT_FALSE(c.isOffered(0)); // SA's T0 is 0
    EXPECT_TRUE(c.isOffered(1));
    EXPECT_EQ(c.offeredCount(), 19);
    EXPECT_FALSE(c.isStraight(2));
    EXPECT_TRUE(c.isStraight(14));
    // The fixed table ends after PR-W06 and the four empty places.
    EXPECT_EQ(c.entries().size(), 24u);
}

} // namespace
