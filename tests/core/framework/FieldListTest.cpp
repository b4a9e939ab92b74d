#include "framework/FieldList.h"

#include "i18n/TextLimits.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ks;

namespace {

CFieldList settingsRows() {
    CFieldList list;
    list.add({.id = 0, .label = 146, .kind = FieldKind::kHeading});
    list.add({.id = 1010,
              .label = 102,
              .unit = 186,
              .kind = FieldKind::kEdit,
              .value = "27.9",
              .minimum = 10,
              .maximum = 3300,
              .format = "%0.1f",
              .type = 0x0300,
              .offset = 1,
              .block = 0x1100});
    list.add({.id = 1020,
              .label = 168,
              .list = 34,
              .kind = FieldKind::kList | FieldKind::kSorted,
              .value = "7",
              .type = 0x0100,
              .offset = 23,
              .block = 0x1100});
    return list;
}

TEST(FieldList, KeepsRegistrationOrderAndFindsById) {
    CFieldList list = settingsRows();
    ASSERT_EQ(list.size(), 3u);
    std::vector<int> ids;
    for (const CField& f : list)
        ids.push_back(f.id());
    EXPECT_EQ(ids, (std::vector<int>{0, 1010, 1020}));
    ASSERT_NE(list.find(1020), nullptr);
    EXPECT_EQ(list.find(1020)->offset(), 23);
    EXPECT_EQ(list.find(0), nullptr) << "rows without control are not found by id";
    EXPECT_EQ(list.find(4242), nullptr);
}

TEST(FieldList, FieldsStayInPlaceWhenMoreAreRegistered) {
    CFieldList list = settingsRows();
    CField* diameter = list.find(1010);
    for (int i = 0; i < 500; ++i)
        list.add({.id = 2000 + i, .kind = FieldKind::kEdit});
    EXPECT_EQ(list.find(1010), diameter);
}

TEST(FieldList, LanguageReachesEveryFieldAndLaterOnes) {
    CFieldList list = settingsRows();
    list.setLanguage(kLanguageEnglish);
    EXPECT_EQ(list.find(1010)->label(), "Outer Diam.");
    EXPECT_EQ(list.find(1020)->shownText(), "Copper");
    CField& later = list.add({.id = 1030, .label = 102, .kind = FieldKind::kEdit});
    EXPECT_EQ(later.language(), kLanguageEnglish);
}

TEST(FieldList, AppendCopiesAnotherListsFields) {
    CFieldList sheet = settingsRows();
    CFieldList factory;
    factory.add({.id = 3000, .kind = FieldKind::kEdit, .value = "1", .block = 0x2200});
    sheet.append(factory);
    ASSERT_EQ(sheet.size(), 4u);
    sheet.find(3000)->setText("2");
    EXPECT_EQ(factory.find(3000)->text(), "1") << "a copy, not a share";
    sheet.append(sheet);
    EXPECT_EQ(sheet.size(), 8u);
}

TEST(FieldList, ResetToDefaults) {
    CFieldList list = settingsRows();
    list.find(1010)->setNumber(100);
    list.find(1020)->setListIndex(3);
    list.resetToDefaults();
    EXPECT_EQ(list.find(1010)->text(), "27.9");
    EXPECT_EQ(list.find(1020)->listIndex(), 7);
}

} // namespace
