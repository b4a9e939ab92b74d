#include "settings/SettingsTransfer.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"
#include "support/RecordingPrompts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace ks;
namespace id = settings::id;
namespace blk = settings::block;

namespace {

// A meter in memory: block images to read, the writes it got, a block that fails.
class FakeMeter : public CBlockExchange {
public:
    explicit FakeMeter(CFieldListBlocks& blocks) : m_blocks(blocks) {}
    int readBlock(int block) override {
        reads.push_back(block);
        if (block == failing)
            return -1;
        auto it = images.find(block);
        return it == images.end() ? 0 : m_blocks.decodeBlock(block, it->second);
    }
    int writeBlock(int block) override {
        if (block == failing)
            return -1;
        writes[block] = m_blocks.encodeBlock(block);
        order.push_back(block);
        return 0;
    }
    std::map<int, Bytes> images;
    std::map<int, Bytes> writes;
    std::vector<int> reads, order;
    int failing = -1;

private:
    CFieldListBlocks& m_blocks;
};

// The identification flags of a meter of application type 1 to 3.
Bytes measurementOf(int app) {
    Bytes b(164, 0);
    b[162] = app == 3 ? 1 : 0;
    b[163] = app == 2 ? 1 : 0;
    return b;
}

struct Fixture {
    explicit Fixture(int mode, int sheetApp = 1)
        : sheet({mode, false, sheetApp}), meter(sheet.blocks()) {
        sheet.fields().find(id::kTwoChords)->setNumber(sheetApp == 2 ? 1 : 0);
        sheet.fields().find(id::kTwoPipes)->setNumber(sheetApp == 3 ? 1 : 0);
        sheet.refresh();
        prompts.answer = CUserPrompts::Answer::Yes;
    }
    void choose(int field, int index) { sheet.fields().find(field)->setListIndex(index); }
    TransferOutcome run() {
        CSettingsTransfer t(sheet.fields(), sheet.rules(), meter, prompts);
        return t.run({2026, 12, 10, 14, 5, 30});
    }
    CSettingsSheet sheet;
    FakeMeter meter;
    test::RecordingPrompts prompts;
};

constexpr int kYes = 0;
constexpr int kNo = 1;

TEST(SettingsTransfer, WriteOrderByTheChosenOptions) {
    struct Case {
        const char* name;
        int sync, reset1, reset2;
        std::vector<int> order;
        std::uint32_t word; // 0: no totaliser command
    };
    const Case cases[] = {
        {"nothing extra", kNo, kNo, kNo, {blk::kMain}, 0},
        {"clock", kYes, kNo, kNo, {blk::kClock, blk::kMain}, 0},
        {"totaliser 1", kNo, kYes, kNo, {blk::kMain, blk::kTotaliser}, 0x10000},
        {"totaliser 2", kNo, kNo, kYes, {blk::kMain, blk::kTotaliser}, 0x1},
        {"everything", kYes, kYes, kYes, {blk::kClock, blk::kMain, blk::kTotaliser}, 0x10001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture fx(sheetmode::kMeter);
        fx.choose(id::kSyncClock, c.sync);
        fx.choose(id::kResetTotaliser1, c.reset1);
        fx.choose(id::kResetTotaliser2, c.reset2);
        const TransferOutcome out = fx.run();
        EXPECT_EQ(out.status, TransferOutcome::Status::Written);
        EXPECT_EQ(out.order, c.order);
        EXPECT_EQ(fx.meter.order, c.order);
        if (c.word != 0) {
            const Bytes& w = fx.meter.writes.at(blk::kTotaliser);
            EXPECT_EQ(w, (Bytes{static_cast<std::uint8_t>(c.word >> 24),
                                static_cast<std::uint8_t>(c.word >> 16),
                                static_cast<std::uint8_t>(c.word >> 8),
                                static_cast<std::uint8_t>(c.word)}));
        }
        if (c.sync == kYes) {
            // month, year, hour, day, second, minute
            EXPECT_EQ(fx.meter.writes.at(blk::kClock), (Bytes{12, 26, 14, 10, 30, 5}));
        }
    }
}

TEST(SettingsTransfer, NoAnswerWritesNothing) {
    Fixture fx(sheetmode::kMeter);
    fx.prompts.answer = CUserPrompts::Answer::No;
    EXPECT_EQ(fx.run().status, TransferOutcome::Status::Declined);
    EXPECT_TRUE(fx.meter.order.empty());
}

TEST(SettingsTransfer, ApplicationMismatchIsRefused) {
    Fixture fx(sheetmode::kFile, 1);
    fx.meter.images[blk::kMeasurement] = measurementOf(2);
    const TransferOutcome out = fx.run();
    EXPECT_EQ(out.status, TransferOutcome::Status::TypeMismatch);
    EXPECT_TRUE(fx.meter.order.empty());
    ASSERT_EQ(fx.prompts.shown.size(), 1u);
    EXPECT_EQ(fx.prompts.shown[0].text, "Unité connectée=Bicorde\nFichier=Monocorde");
    EXPECT_EQ(fx.prompts.shown[0].caption, "Attention");
    // The sheet still shows the file's application.
    EXPECT_EQ(fx.sheet.rules().applicationType(), 1);
}

TEST(SettingsTransfer, MatchingFileIsWrittenAndBecomesFileMode) {
    Fixture fx(sheetmode::kDefaults, 3);
    fx.meter.images[blk::kMeasurement] = measurementOf(3);
    EXPECT_EQ(fx.run().status, TransferOutcome::Status::Written);
    EXPECT_EQ(fx.meter.reads, std::vector<int>{blk::kMeasurement});
    EXPECT_EQ(fx.sheet.mode(), sheetmode::kFile);
}

TEST(SettingsTransfer, SpecialProbeOfAFileGoesIntoTheFactoryBlock) {
    Fixture fx(sheetmode::kFile);
    CFieldList& f = fx.sheet.fields();
    f.find(settings::factory::kT0B)->setNumber(3.5);
    f.find(settings::factory::kAngleB)->setNumber(45);
    f.find(settings::factory::kFrequencyB)->setListIndex(2);
    f.find(settings::factory::kTextB)->setText("KX12");
    f.find(id::kProbeRef)->setNumber(1);
    fx.meter.images[blk::kMeasurement] = measurementOf(1);
    fx.meter.images[blk::kFactory] = Bytes(61, 0); // a meter without special probes
    const TransferOutcome out = fx.run();
    EXPECT_EQ(out.status, TransferOutcome::Status::Written);
    EXPECT_EQ(out.order, (std::vector<int>{blk::kFactory, blk::kMain}));
    const Bytes& factory = fx.meter.writes.at(blk::kFactory);
    EXPECT_EQ(factory[9] << 8 | factory[10], 4500); // angle SB
    EXPECT_EQ(factory[11], 35);                     // T0 SB
    EXPECT_EQ(factory[12], 2);                      // frequency SB
    EXPECT_EQ(std::string(factory.begin() + 52, factory.begin() + 58), "KX12  ");
}

TEST(SettingsTransfer, FailureHalfWayReportsWhatWasWritten) {
    Fixture fx(sheetmode::kMeter);
    fx.choose(id::kSyncClock, kYes);
    fx.choose(id::kResetTotaliser1, kYes);
    fx.meter.failing = blk::kMain;
    const TransferOutcome out = fx.run();
    EXPECT_EQ(out.status, TransferOutcome::Status::WriteFailed);
    EXPECT_EQ(out.failedBlock, blk::kMain);
    EXPECT_EQ(out.written, std::vector<int>{blk::kClock});
    EXPECT_EQ(fx.meter.order, std::vector<int>{blk::kClock});
}

TEST(SettingsTransfer, InstallationPreparesWithoutAsking) {
    Fixture fx(sheetmode::kInstallation);
    fx.prompts.answer = CUserPrompts::Answer::No; // never asked
    fx.sheet.rules().prepareInstallation(0);
    const TransferOutcome out = fx.run();
    EXPECT_EQ(out.status, TransferOutcome::Status::Prepared);
    EXPECT_EQ(out.order, (std::vector<int>{blk::kClock, blk::kMain, blk::kTotaliser}));
    EXPECT_TRUE(fx.meter.order.empty());
    CSettingsTransfer t(fx.sheet.fields(), fx.sheet.rules(), fx.meter, fx.prompts);
    EXPECT_EQ(t.writeOrder(out.order).written, out.order);
}

} // namespace
