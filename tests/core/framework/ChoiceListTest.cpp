#include "framework/ChoiceList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ks;

namespace {

const std::vector<std::string> kThree{"first", "second", "third"};

TEST(ChoiceList, MinimumDropsLeadingEntries) {
    const CChoiceList list(kThree, 1, 0, false);
    ASSERT_EQ(list.entries().size(), 3u);
    EXPECT_FALSE(list.entries()[0].shown);
    EXPECT_EQ(list.shownCount(), 2);
    EXPECT_EQ(list.indexAt(0), 1);
    EXPECT_EQ(list.indexAt(1), 2);
    EXPECT_EQ(list.indexAt(2), -1);
    EXPECT_EQ(list.indexAt(-1), -1);
    EXPECT_EQ(list.positionOf(0), -1);
    EXPECT_EQ(list.positionOf(2), 1);
}

TEST(ChoiceList, LimitsOutsideTheListAreHeldToIt) {
    EXPECT_EQ(CChoiceList(kThree, 5, 0, false).shownCount(), 0);
    EXPECT_EQ(CChoiceList(kThree, -2, 0, false).shownCount(), 3);
    EXPECT_EQ(CChoiceList(kThree, 1, 9, false).shownCount(), 2);
    EXPECT_EQ(CChoiceList(kThree, 0.0 / 0.0, 0, false).shownCount(), 3);
    EXPECT_EQ(CChoiceList({}, 1, 1, true).shownCount(), 0);
}

TEST(ChoiceList, SortingKeepsIndexesAndHiddenEntries) {
    const CChoiceList list({"b", "C", "a", "B"}, 1, 0, true);
    std::vector<int> order;
    for (const ChoiceEntry& e : list.entries())
        order.push_back(e.index);
    // Case is ignored and equal keys stay in list order ("b" before "B").
    EXPECT_EQ(order, (std::vector<int>{2, 0, 3, 1}));
    EXPECT_EQ(list.indexAt(0), 2);
    EXPECT_EQ(list.indexAt(1), 3) << "index 0 is dropped by the minimum";
    EXPECT_EQ(list.positionOf(1), 2);
}

TEST(ChoiceList, HidingAnEntryMovesTheOthersUp) {
    CChoiceList list(kThree, 0, 0, false);
    EXPECT_TRUE(list.setShown(1, false));
    EXPECT_FALSE(list.setShown(7, false));
    EXPECT_EQ(list.indexAt(1), 2);
    EXPECT_FALSE(list.offers(1));
}

TEST(ChoiceList, SortKeyFoldsCaseAndAccents) {
    EXPECT_EQ(choiceSortKey("T\xC3\xA9"
                            "flon"),
              "teflon");
    EXPECT_EQ(choiceSortKey("A\xC3\xA7o"), "aco");
    EXPECT_EQ(choiceSortKey("Stra\xC3\x9F"
                            "e"),
              "strasse");
    EXPECT_EQ(choiceSortKey("\xC5\x92uvre"), "oeuvre");
    EXPECT_EQ(choiceSortKey("\xE2\x82\xAC 5"), "\xE2\x82\xAC 5"); // other characters kept
    EXPECT_EQ(choiceSortKey("\xC3"), "\xC3");                     // a cut sequence is kept
}

} // namespace
