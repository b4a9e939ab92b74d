#include "measurement/MeasureView.h"
#include "measurement/MeasureDisplay.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"

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
