#include "measurement/MeasureView.h"
#include "measurement/MeasurePrint.h"

#include "measurement/MeasureDisplay.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"
#include <algorithm>

#include <gtest/gtest.h>

using namespace ks;
namespace id = ks::measure::id;

namespace {

struct MeasureViewTest : ::testing::Test {
    MeasureViewTest() {
        registerMeasureFields(fields);
        registerBorrowedFields(fields);
        const std::pair<int, double> meter[] = {{id::kChordCount, 1},     {id::kGainType1, 1},
                                                {id::kDiametersValid, 1}, {id::kFlowUnit, 4},
                                                {id::kFlow, 12.3456},     {id::kMeanVelocity, 1.25},
                                                {id::kGain1, 44}};
        for (const auto& [fieldId, v] : meter)
            fields.find(fieldId)->setNumber(v);
        fields.find(id::kFirmware)->setText("KS 3.07");
        display.hideAll();
        display.refresh(0);
    }
    CFieldList fields;
    CMeasureDisplay display{fields, nullptr};
};

TEST_F(MeasureViewTest, OnlyVisibleGroupsAndLines) {
    const auto groups = shownMeasurement(fields);
    std::vector<int> groupIds;
    for (const ShownGroup& g : groups)
        groupIds.push_back(g.id);
    EXPECT_EQ(groupIds, (std::vector<int>{0, id::kVersionGroup, 0, id::kKhGroup, id::kChord1Group,
                                          id::kProbeGroup, id::kTotaliserGroup}));
    const ShownGroup& flow = groups[2];
    ASSERT_EQ(flow.fields.size(), 3u);
    EXPECT_EQ(flow.fields[0].label, "Débit");
    EXPECT_EQ(flow.fields[0].value, "12.35");
    EXPECT_EQ(flow.fields[0].unit, "m3/h");
    EXPECT_EQ(groups[4].title, "Corde 1");
    for (const ShownGroup& g : groups)
        for (const ShownField& f : g.fields)
            EXPECT_TRUE(fields.find(f.id)->isShown()) << f.id;
}

TEST_F(MeasureViewTest, TextLines) {
    const std::string text = measurementText(shownMeasurement(fields));
    EXPECT_NE(text.find("Version\n  Calyptron: \n  Firmware: KS 3.07\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("  Débit: 12.35 m3/h\n  Vitesse: 1.250 m/s\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Corde 1\n"), std::string::npos);
    EXPECT_EQ(text.find("Corde 2"), std::string::npos);
}

TEST_F(MeasureViewTest, JsonObjectOnOneLine) {
    fields.find(id::kFirmware)->setText("K\"S\\3\n\x01");
    const std::string json = measurementJson(shownMeasurement(fields), 7);
    EXPECT_EQ(json.rfind("{\"sample\":7,\"groups\":[{\"id\":0,\"title\":\"\",\"fields\":[", 0), 0u)
        << json;
    EXPECT_NE(json.find("{\"id\":1506,\"label\":\"Firmware\",\"value\":\"K\\\"S\\\\3\\u000a\\u0001"
                        "\",\"unit\":\"\"}"),
              std::string::npos)
        << json;
    EXPECT_EQ(json.find('\n'), std::string::npos);
    EXPECT_EQ(json.back(), '}');
}

} // namespace

namespace {

TEST_F(MeasureViewTest, PrintoutFollowsTheShownLines) {
    fields.find(id::kMeterClock)->setText("10/12/2026 - 08:15:00");
    fields.find(id::kProbeName)->setText("");
    const std::vector<PrintLine> lines = measurePrintLines(fields);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), (PrintLine{PrintLine::Kind::Field, "", "10/12/2026 - 08:15:00"}));
    EXPECT_NE(lines.back().kind, PrintLine::Kind::Separator);
    int headings = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            EXPECT_FALSE(lines[i].kind == PrintLine::Kind::Separator &&
                         lines[i - 1].kind == PrintLine::Kind::Separator)
                << i;
        }
        EXPECT_FALSE(lines[i].kind == PrintLine::Kind::Field && lines[i].caption.empty() &&
                     lines[i].value.empty())
            << i;
        EXPECT_NE(lines[i].caption, "Corde 2");
        headings += lines[i].kind == PrintLine::Kind::Heading;
    }
    EXPECT_EQ(headings, 5); // version, Kh, chord 1, probe, totalisers
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        PrintLine{PrintLine::Kind::Field, "Débit", "12.35 m3/h"}),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        PrintLine{PrintLine::Kind::Field, "", "Pas de Défaut"}),
              lines.end());
}

} // namespace
