#include "measurement/MeasureDisplay.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"
#include "measurement/ProbeNameTable.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace ks;
namespace id = ks::measure::id;

namespace {

// The dialog's fields holding what a meter reported, and its display rules.
class MeasureDisplayTest : public ::testing::Test {
protected:
    MeasureDisplayTest() {
        registerMeasureFields(fields);
        registerBorrowedFields(fields);
        probes.setNames({"Probe A", "Probe B", "Probe C", "Clamp-on 1MHz"});
        // A one-chord meter with valid probe diameters and automatic gain.
        set({{id::kChordCount, 1},
             {id::kSecondChord, 0},
             {id::kTwoPipes, 0},
             {id::kDiametersValid, 1},
             {id::kGainType1, 1},
             {id::kGainType2, 1},
             {id::kFlowUnit, 4},
             {id::kKhMode, 0},
             {id::kDirection1, 0},
             {id::kDirection2, 1},
             {id::kPulseWeight1, 5},
             {id::kPulseWeight2, 1},
             {id::kTotaliserFlow1, 1},
             {id::kTotaliserFlow2, 2},
             {id::kProbeType, 3},
             {id::kSerialFirst, 7},
             {id::kSerialSecond, 3},
             {id::kSerialSequence, 1}});
    }

    void set(std::initializer_list<std::pair<int, double>> values) {
        for (const auto& [fieldId, value] : values)
            field(fieldId).setNumber(value);
    }
    CField& field(int fieldId) {
        CField* f = fields.find(fieldId);
        EXPECT_NE(f, nullptr) << fieldId;
        return *f;
    }
    // As the dialog opens: hidden, then refreshed after the first measurement block.
    void open(int applicationSetting = 0) {
        display.setApplicationSetting(applicationSetting);
        display.hideAll();
        display.requestLayout();
        display.refresh(0);
    }
    std::vector<int> shownAmong(const std::vector<int>& ids) {
        std::vector<int> shown;
        for (int i : ids)
            if (field(i).isShown())
                shown.push_back(i);
        return shown;
    }

    CFieldList fields;
    CProbeNameTable probes;
    CMeasureDisplay display{fields, &probes};
};

// Every line and group whose visibility depends on the meter.
const std::vector<int> kSwitched = {
    id::kFlow,           id::kFlowQT,         id::kFlowQ1,     id::kFlowQ2,     id::kMeanVelocity,
    id::kMeanSoundSpeed, id::kKhGroup,        id::kKh1,        id::kKh2,        id::kProbeDiameter1,
    id::kProbeDiameter2, id::kTotaliserGroup, id::kTotaliser1, id::kTotaliser2, id::kChord2Group,
    id::kTransit2,       id::kMargin1,        id::kMargin2};

TEST_F(MeasureDisplayTest, EverythingStartsHidden) {
    display.hideAll();
    for (int i : CMeasureDisplay::initiallyHidden())
        EXPECT_FALSE(field(i).isShown()) << i;
    EXPECT_EQ(field(id::kSerialNumber).text(), "");
}

TEST_F(MeasureDisplayTest, VisibilityByMeter) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, double>> meter;
        int applicationSetting;
        int expectedType;
        std::vector<int> shown; // among kSwitched
    } cases[] = {
        {"one chord: no chord 2, Q2, Kh2 or diameter 2",
         {},
         0,
         1,
         {id::kFlow, id::kMeanVelocity, id::kMeanSoundSpeed, id::kKhGroup, id::kKh1,
          id::kProbeDiameter1, id::kTotaliserGroup, id::kTotaliser1, id::kTotaliser2,
          id::kMargin1}},
        {"manual gain hides the margin",
         {{id::kGainType1, 0}},
         0,
         1,
         {id::kFlow, id::kMeanVelocity, id::kMeanSoundSpeed, id::kKhGroup, id::kKh1,
          id::kProbeDiameter1, id::kTotaliserGroup, id::kTotaliser1, id::kTotaliser2}},
        {"speed application: no flow, no totalisers",
         {},
         1,
         1,
         {id::kMeanVelocity, id::kMeanSoundSpeed, id::kKhGroup, id::kKh1, id::kProbeDiameter1,
          id::kMargin1}},
        {"two chords",
         {{id::kChordCount, 2}, {id::kSecondChord, 1}},
         0,
         2,
         {id::kFlow, id::kMeanVelocity, id::kMeanSoundSpeed, id::kKhGroup, id::kKh1,
          id::kProbeDiameter1, id::kTotaliserGroup, id::kTotaliser1, id::kTotaliser2,
          id::kChord2Group, id::kTransit2, id::kMargin1, id::kMargin2}},
        {"two chords, manual gain on chord 2, no probe diameters: no Kh",
         {{id::kChordCount, 2},
          {id::kSecondChord, 1},
          {id::kGainType2, 0},
          {id::kDiametersValid, 0}},
         0,
         2,
         {id::kFlow, id::kMeanVelocity, id::kMeanSoundSpeed, id::kTotaliserGroup, id::kTotaliser1,
          id::kTotaliser2, id::kChord2Group, id::kTransit2, id::kMargin1}},
        {"two pipes: QT, Q1, Q2 and the second pipe's Kh and diameter",
         {{id::kChordCount, 2}, {id::kTwoPipes, 1}},
         0,
         3,
         {id::kFlowQT, id::kFlowQ1, id::kFlowQ2, id::kKhGroup, id::kKh1, id::kKh2,
          id::kProbeDiameter1, id::kProbeDiameter2, id::kTotaliserGroup, id::kTotaliser1,
          id::kTotaliser2, id::kChord2Group, id::kTransit2, id::kMargin1, id::kMargin2}},
        {"two pipes with one chord: a single pipe's lines",
         {{id::kTwoPipes, 1}},
         0,
         3,
         {id::kFlowQT, id::kFlowQ1, id::kKhGroup, id::kKh1, id::kProbeDiameter1,
          id::kTotaliserGroup, id::kTotaliser1, id::kTotaliser2, id::kMargin1}},
        {"both flags: two chords",
         {{id::kChordCount, 2}, {id::kSecondChord, 1}, {id::kTwoPipes, 1}},
         0,
         2,
         {id::kFlow, id::kMeanVelocity, id::kMeanSoundSpeed, id::kKhGroup, id::kKh1,
          id::kProbeDiameter1, id::kTotaliserGroup, id::kTotaliser1, id::kTotaliser2,
          id::kChord2Group, id::kTransit2, id::kMargin1, id::kMargin2}},
    };
    const CFieldList saved = fields;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [fieldId, value] : c.meter)
            field(fieldId).setNumber(value);
        open(c.applicationSetting);
        EXPECT_EQ(display.applicationType(), c.expectedType);
        EXPECT_EQ(shownAmong(kSwitched), c.shown);
        // The always-there lines of chord 1 and the version group.
        EXPECT_EQ(shownAmong({id::kChord1Group, id::kTransit1, id::kVersionGroup, id::kSerialNumber,
                              id::kGraph}),
                  (std::vector<int>{id::kChord1Group, id::kTransit1, id::kVersionGroup,
                                    id::kSerialNumber, id::kGraph}));
        fields = saved;
    }
}

TEST_F(MeasureDisplayTest, TwoPipesRetitleTheChordGroups) {
    set({{id::kChordCount, 2}, {id::kTwoPipes, 1}});
    open();
    EXPECT_EQ(field(id::kChord1Group).label(), "Conduite 1");
    EXPECT_EQ(field(id::kChord2Group).label(), "Conduite 2");
    // Opened on a one-chord meter afterwards: the chord titles again.
    set({{id::kChordCount, 1}, {id::kTwoPipes, 0}});
    display.requestLayout();
    display.refresh(0);
    EXPECT_EQ(field(id::kChord1Group).label(), "Corde 1");
    EXPECT_FALSE(field(id::kFlowQT).isShown());
    EXPECT_TRUE(field(id::kFlow).isShown());
}

TEST_F(MeasureDisplayTest, ComposedTexts) {
    set({{id::kSerialFirst, 5}, {id::kSerialSecond, 6}, {id::kSerialSequence, 42}});
    set({{id::kChordCount, 2}, {id::kSecondChord, 1}, {id::kGainType2, 2}, {id::kKhMode, 1}});
    open();
    EXPECT_EQ(field(id::kSerialNumber).text(), "05/06/00042");
    EXPECT_EQ(field(id::kMargin1).label(), "(Autom) Marge");
    EXPECT_EQ(field(id::kMargin2).label(), "(E.S.C) Marge");
    EXPECT_EQ(field(id::kTotaliser1).label(), "Tot. 1 (+/-)");
    EXPECT_EQ(field(id::kTotaliser2).label(), "Tot. 2 (+)");
    EXPECT_EQ(field(id::kTotaliser1).unit(), "*1m3");
    EXPECT_EQ(field(id::kTotaliser2).unit(), "*dl");
    EXPECT_EQ(field(id::kFlow).unit(), "m3/h");
    EXPECT_EQ(field(id::kKh1).unit(), "(Manu)");
    EXPECT_EQ(field(id::kProbeName).text(), "Clamp-on 1MHz");
    EXPECT_EQ(field(id::kFaultLine).shownText(), "Pas de Défaut");
}

TEST_F(MeasureDisplayTest, TwoPipeTotaliserLabelsNameTheirFlow) {
    set({{id::kChordCount, 2}, {id::kTwoPipes, 1}, {id::kFlowUnit, 0}});
    open();
    EXPECT_EQ(field(id::kTotaliser1).label(), "Tot. 1 (Q1 +/-)");
    EXPECT_EQ(field(id::kTotaliser2).label(), "Tot. 2 (Q2 +)");
    for (int i : {id::kFlowQT, id::kFlowQ1, id::kFlowQ2})
        EXPECT_EQ(field(i).unit(), "l/s") << i;
    EXPECT_EQ(field(id::kKh2).unit(), "(Auto)");
}

TEST_F(MeasureDisplayTest, TextsFollowTheLanguage) {
    fields.setLanguage(2);
    set({{id::kChordCount, 2}, {id::kTwoPipes, 1}});
    open();
    EXPECT_EQ(field(id::kChord1Group).label(), "Pipe 1");
    EXPECT_EQ(field(id::kMargin1).label(), "(Autom) Margin");
    EXPECT_EQ(field(id::kFaultLine).shownText(), "No Fault");
}

TEST_F(MeasureDisplayTest, FaultLine) {
    struct Case {
        int flags, chords, application;
        const char* line;
    } cases[] = {{0x3, 1, 0, "Défaut Q"},
                 {0x1, 1, 1, "Défaut V"},
                 {0x2, 1, 0, "Défaut V1"},
                 {0x4, 2, 0, "Défaut V2"},
                 {0x4, 1, 0, "Pas de Défaut"}};
    for (const Case& c : cases) {
        set({{id::kFaultFlags, c.flags}, {id::kChordCount, c.chords}});
        open(c.application);
        EXPECT_EQ(field(id::kFaultLine).shownText(), c.line) << c.flags;
    }
}

TEST_F(MeasureDisplayTest, ProbeTypeOutsideTheTableShowsNoName) {
    set({{id::kProbeType, 4}});
    open();
    EXPECT_EQ(field(id::kProbeName).text(), "");
    set({{id::kProbeType, -1}});
    display.refresh(0);
    EXPECT_EQ(field(id::kProbeName).text(), "");
}

TEST_F(MeasureDisplayTest, OemNameReplacesTheFamilyLabel) {
    field(id::kOemName).setText("   AQUAFLOW     ");
    open();
    EXPECT_EQ(field(id::kFamilyName).label(), "Calyptron");
    set({{id::kOemFlag, 1}});
    display.requestLayout();
    display.refresh(0);
    EXPECT_EQ(field(id::kFamilyName).label(), "AQUAFLOW");
}

TEST_F(MeasureDisplayTest, NoAnswerKeepsWhatIsShown) {
    open();
    const std::string serial = field(id::kSerialNumber).text();
    set({{id::kChordCount, 2}, {id::kSerialSequence, 999}, {id::kDiametersValid, 0}});
    display.refresh(2);
    EXPECT_EQ(field(id::kSerialNumber).text(), serial);
    EXPECT_FALSE(field(id::kChord2Group).isShown());
    EXPECT_TRUE(field(id::kProbeDiameter1).isShown());
}

} // namespace
