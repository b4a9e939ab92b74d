// Paging through the samples of a recording.
#include "framework/RecordPager.h"
#include "framework/BlockValues.h"

#include <gtest/gtest.h>
#include <set>

using namespace ks;

namespace {

// Records in memory; some of them can be made unreadable.
class MemoryRecords : public CRecordSource {
public:
    int recordCount() const override { return static_cast<int>(records.size()); }
    int readRecord(int index, Bytes& out) override {
        if (index < 0 || index >= recordCount() || broken.count(index))
            return -1;
        out = records[static_cast<std::size_t>(index)];
        return 0;
    }
    std::vector<Bytes> records;
    std::set<int> broken;
};

constexpr int kA = 0x0010;
constexpr int kB = 0x1100;

struct Pager : ::testing::Test {
    // Samples of two blocks: record 2i holds sample i in block A, record 2i + 1 ten times it.
    void record(int samples, int extraRecords = 0) {
        for (int i = 0; i < samples; ++i) {
            source.records.push_back({0, static_cast<std::uint8_t>(i)});
            source.records.push_back({static_cast<std::uint8_t>(10 * i)});
        }
        for (int i = 0; i < extraRecords; ++i)
            source.records.push_back({0xEE, 0xEE});
    }
    Pager() {
        a = fields.add({0x0008, 0x0200, 0, kA, "%.f", 0, 0});
        b = fields.add({0x0008, 0xA000, 0, kB, "%.f", 0, 0});
        pager.setRefresh([this] { ++refreshes; });
    }
    MemoryRecords source;
    CBlockValues fields;
    std::size_t a = 0, b = 0;
    CRecordPager pager{source, fields, {kA, kB}};
    int refreshes = 0;
};

TEST_F(Pager, ButtonsMoveThroughTheSamples) {
    record(4);
    using P = PageButton;
    struct Step {
        P press;
        int result, page;
        PageButtons buttons;
    };
    const PageButtons firstPage{false, false, true, true, P::Next};
    const PageButtons middle{true, true, true, true, P::None};
    const PageButtons lastPage{true, true, false, false, P::Previous};
    const Step steps[] = {
        {P::First, 0, 0, firstPage}, {P::Next, 0, 1, middle},         {P::Next, 0, 2, middle},
        {P::Last, 0, 3, lastPage},   {P::Next, -1, 3, lastPage},      {P::Previous, 0, 2, middle},
        {P::First, 0, 0, firstPage}, {P::Previous, -1, 0, firstPage},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(s.press) << " to " << s.page);
        EXPECT_EQ(pager.press(s.press), s.result);
        EXPECT_EQ(pager.pageIndex(), s.page);
        EXPECT_EQ(fields.value(a).number, s.page);
        EXPECT_EQ(fields.value(b).number, 10 * s.page);
        EXPECT_EQ(pager.buttons(), s.buttons);
        EXPECT_EQ(pager.statusText(), "Enregistrement " + std::to_string(s.page + 1) + " / 4");
    }
    EXPECT_EQ(refreshes, 6);
}

TEST_F(Pager, UnreadableRecordChangesNothing) {
    record(3);
    ASSERT_EQ(pager.press(PageButton::First), 0);
    const PageButtons before = pager.buttons();
    source.broken.insert(3); // block B of sample 1
    EXPECT_EQ(pager.press(PageButton::Next), -1);
    EXPECT_EQ(pager.pageIndex(), 0);
    EXPECT_EQ(fields.value(a).number, 0) << "block A of the sample was not shown either";
    EXPECT_EQ(pager.statusText(), "Enregistrement 1 / 3");
    EXPECT_EQ(pager.buttons(), before);
    EXPECT_EQ(refreshes, 1);

    source.broken.clear();
    source.records[5] = {}; // shorter than block B
    EXPECT_EQ(pager.press(PageButton::Last), -1);
    EXPECT_EQ(pager.pageIndex(), 0);
}

TEST_F(Pager, OneSampleAndUnfinishedSamples) {
    record(1);
    ASSERT_EQ(pager.press(PageButton::Last), 0);
    EXPECT_EQ(pager.buttons(), (PageButtons{false, false, false, false, PageButton::None}));

    source.records.clear();
    EXPECT_EQ(pager.press(PageButton::Last), -1) << "an empty recording has no page";

    // The last sample lost its second block: it is no page.
    record(3, 1);
    pager.setLanguage(2);
    ASSERT_EQ(pager.press(PageButton::Last), 0);
    EXPECT_EQ(pager.pageIndex(), 2);
    EXPECT_FALSE(pager.buttons().next);
    EXPECT_EQ(pager.statusText(), "Recording 3 / 3");
}

TEST(PageButtonControls, MapToButtons) {
    EXPECT_EQ(pageButtonOfControl(1602), PageButton::First);
    EXPECT_EQ(pageButtonOfControl(1613), PageButton::Previous);
    EXPECT_EQ(pageButtonOfControl(1619), PageButton::Next);
    EXPECT_EQ(pageButtonOfControl(1605), PageButton::Last);
    EXPECT_EQ(pageButtonOfControl(1604), PageButton::None);
}

} // namespace
