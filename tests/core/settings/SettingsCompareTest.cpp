#include "settings/SettingsCompare.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"

#include <gtest/gtest.h>

using namespace ks;
namespace id = settings::id;

namespace {

TEST(SettingsCompare, IdenticalSourcesDifferNowhere) {
    CSettingsSheet a, b;
    a.refresh();
    b.refresh();
    auto rows = compareFieldLists(a.fields(), b.fields());
    ASSERT_TRUE(rows.has_value());
    EXPECT_TRUE(rows->empty());
}

TEST(SettingsCompare, ListsDifferByEntryTextAndHiddenFieldsNever) {
    CSettingsSheet current, reference;
    current.fields().find(id::kFlowUnit)->setListIndex(2);
    // Hidden or value-only: never a difference.
    current.fields().find(id::kTotaliserWord)->setNumber(9);
    current.fields().find(settings::factory::kGainMax)->setNumber(40);
    current.refresh();
    reference.refresh();
    const auto rows = compareFieldLists(current.fields(), reference.fields());
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 1u);
    EXPECT_EQ((*rows)[0], (DifferenceRow{"Unité Q", "m3/h", "l/h", ""}));
    // The values stay where they were: a later transfer writes them.
    EXPECT_EQ(current.fields().find(id::kTotaliserWord)->number(), 9);
    EXPECT_EQ(current.fields().find(settings::factory::kGainMax)->number(), 40);
}

TEST(SettingsCompare, ListsOfDifferentLengthsCannotBeCompared) {
    CSettingsSheet a;
    CFieldList other;
    other.add({.id = 1, .kind = FieldKind::kEdit});
    EXPECT_FALSE(compareFieldLists(a.fields(), other).has_value());
}

TEST(SettingsCompare, ReportTexts) {
    const DifferenceReport r = differenceReport({}, "ref.eta", "", 1);
    EXPECT_EQ(r.caption, "Différences");
    EXPECT_EQ(r.referenceLine, "Paramètres références ref.eta");
    EXPECT_EQ(r.currentLine, "Paramètres actuels Liaison Série");
    EXPECT_EQ(r.columns, (std::vector<std::string>{"Paramètre", "Référence", "Actuel", "Unité"}));
    const DifferenceReport de = differenceReport({}, "a.eta", "b.eta", 4);
    EXPECT_EQ(de.currentLine, "Aktuelle Parameter b.eta");
}

} // namespace
