// The OEM dialog's lists against the enable bits of block 0x4000.
#include "settings/OemParameters.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"
#include "support/MemoryMeter.h"

#include <gtest/gtest.h>

#include <set>

using namespace ks;
using namespace ks::test;
namespace blk = settings::block;
namespace oem = settings::oem;

namespace {

// Block 0x4000 with the given models (1 to 10) and applications (1 to 3) enabled.
Bytes specialBlock(const std::set<int>& models, const std::set<int>& applications) {
    Bytes b(18, 0);
    for (int m : models)
        (m <= 8 ? b[14] : b[13]) |= static_cast<std::uint8_t>(1 << (m <= 8 ? m - 1 : m - 9));
    for (int a : applications)
        b[15] |= static_cast<std::uint8_t>(1 << (a - 1));
    return b;
}

// Block 0x122F holding a model index and a maximum pair entry.
Bytes oemBlock(int model, int maxPair) {
    Bytes b(18, ' ');
    b[16] = static_cast<std::uint8_t>(model);
    b[17] = static_cast<std::uint8_t>(maxPair);
    return b;
}

std::vector<std::string> offered(const CField& f) {
    std::vector<std::string> out;
    for (const ChoiceEntry& e : f.choices().shownEntries())
        out.push_back(e.text);
    return out;
}

struct Oem {
    Oem(const std::set<int>& models, const std::set<int>& apps, int model = 0, int pair = 1)
        : dialog(1), link(meter, dialog.blocks()) {
        meter.images[blk::kSpecial] = specialBlock(models, apps);
        meter.images[blk::kOem] = oemBlock(model, pair);
        EXPECT_EQ(dialog.readFromMeter(link), 0);
    }
    CField& model() { return *dialog.fields().find(oem::kModel); }
    CField& pair() { return *dialog.fields().find(oem::kMaxPair); }
    int storedModel() { return dialog.blocks().encodeBlock(blk::kOem)[16]; }
    int storedPair() { return dialog.blocks().encodeBlock(blk::kOem)[17]; }
    int pick(CField& f, const std::string& text) {
        std::string error;
        return setFieldFromText(f, text, error);
    }
    MemoryMeter meter;
    COemParameters dialog;
    MemoryExchange link;
};

TEST(OemLists, OfferOnlyWhatBlock4000EnablesAndStoreTheFullListIndex) {
    struct Case {
        std::set<int> models;
        std::vector<std::string> offered;
        const char* pick;
        int stored;
    };
    const Case cases[] = {
        {{1, 3}, {"M01", "M03"}, "M03", 2},
        {{1, 3}, {"M01", "M03"}, "M01", 0},
        {{9, 10}, {"M09", "M10"}, "M10", 9},
        {{8}, {"M08"}, "M08", 7},
    };
    for (const Case& c : cases) {
        Oem o(c.models, {1, 2, 3});
        EXPECT_EQ(offered(o.model()), c.offered);
        ASSERT_EQ(o.pick(o.model(), c.pick), 0) << c.pick;
        EXPECT_EQ(o.storedModel(), c.stored) << c.pick;
    }
    // A model the meter does not allow cannot be picked.
    Oem o({1, 3}, {1});
    EXPECT_EQ(o.pick(o.model(), "M02"), -1);
    EXPECT_EQ(o.storedModel(), 0);
}

TEST(OemLists, MaxPairFollowsTheApplicationBits) {
    struct Case {
        std::set<int> apps;
        std::vector<std::string> offered;
    };
    const Case cases[] = {
        {{}, {}},
        {{2}, {"Bicorde"}},
        {{1, 3}, {"Monocorde", "Biconduite"}},
        {{1, 2, 3}, {"Monocorde", "Bicorde", "Biconduite"}},
    };
    for (const Case& c : cases) {
        Oem o({1}, c.apps);
        EXPECT_EQ(offered(o.pair()), c.offered);
    }
    Oem o({1}, {1, 3});
    ASSERT_EQ(o.pick(o.pair(), "Biconduite"), 0);
    EXPECT_EQ(o.storedPair(), 3);
    EXPECT_EQ(o.pick(o.pair(), "*"), -1);
}

TEST(OemLists, AStoredModelNoLongerOfferedKeepsItsByte) {
    // The meter holds model 2 (M02); only models 1 and 3 are allowed now.
    Oem o({1, 3}, {1}, 1, 1);
    EXPECT_EQ(o.model().listIndex(), 1);
    EXPECT_EQ(offered(o.model()), (std::vector<std::string>{"M01", "M03"}));
    // Untouched, it goes back as it came; the device name can change beside it.
    std::string error;
    ASSERT_EQ(setFieldFromText(*o.dialog.fields().find(oem::kLine1), "NEW NAME", error), 0);
    o.dialog.refresh();
    EXPECT_EQ(o.storedModel(), 1);
    // A second read brings whatever the meter holds, offered or not.
    o.meter.images[blk::kOem] = oemBlock(4, 1);
    ASSERT_EQ(o.dialog.readFromMeter(o.link), 0);
    EXPECT_EQ(o.storedModel(), 4);
    // Once the user picks another, that one is stored.
    ASSERT_EQ(o.pick(o.model(), "M03"), 0);
    EXPECT_EQ(o.storedModel(), 2);
}

} // namespace
