#include "measurement/MeasureAcquisition.h"
#include "MeasureTestBlocks.h"
#include "framework/FieldListBlocks.h"
#include "measurement/MeasureBlocks.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"

#include <gtest/gtest.h>

using namespace ks;
using ks::test::CRecordingBlocks;
using Outcome = ks::CMeasureAcquisition::Outcome;
namespace blk = ks::measure::block;

namespace {

struct Where {
    int function, address, count;
    bool operator==(const Where&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Where& w) {
    return o << "f" << w.function << " @0x" << std::hex << w.address << std::dec << " x" << w.count;
}

Where where(const JBusRequest& r) {
    return {r.function, r.address, r.count};
}

// The reply step on the measurement dialog's fields, without a link: the test plays the
// polling worker and writes each reply into the request.
class MeasureAcquisitionTest : public ::testing::Test {
protected:
    MeasureAcquisitionTest() {
        registerMeasureFields(fields);
        registerBorrowedFields(fields);
        request = acquisition.firstRequest(1);
        acquisition.setFirstByteTimeoutSetter([this](int ms) { timeouts.push_back(ms); });
    }

    // The worker's exchange: the reply's data, 2 bytes a register (empty: no answer).
    CMeasureAcquisition::Result answer(bool answered = true) {
        request.data.assign(answered ? static_cast<std::size_t>(2 * request.count) : 0u, 0x01);
        if (request.function == 16 && answered)
            request.data = {0x23, 0x06, 0x00, 0x02}; // echo of the write, first byte dropped
        return acquisition.step(request);
    }

    CFieldList fields;
    CFieldListBlocks values{fields};
    CRecordingBlocks blocks{values};
    CMeasureAcquisition acquisition{blocks, fields};
    JBusRequest request;
    std::vector<int> timeouts;
};

TEST(MeasureReadRanges, EachBlockIsReadFromItsFieldsOnly) {
    CFieldList fields;
    registerMeasureFields(fields);
    registerBorrowedFields(fields);
    EXPECT_EQ(readRange(fields, blk::kMainSettings), (ReadRange{17, 0x1111, 2}));
    EXPECT_EQ(readRange(fields, blk::kSpecial), (ReadRange{0, 0x4000, 9}));
    EXPECT_EQ(readRange(fields, blk::kOemName), (ReadRange{0, 0x122F, 9}));
    EXPECT_EQ(readRange(fields, blk::kFactory), (ReadRange{0, 0x2200, 31}));
    EXPECT_EQ(readRange(fields, blk::kMeasurement), (ReadRange{0, 0x0010, 82}));
    EXPECT_EQ(readRange(fields, blk::kTotaliserCommand), (ReadRange{0, 0x2306, 2}));
    EXPECT_EQ(readRange(fields, blk::kGraphHistory).count, 0);
}

TEST(MeasureReadRanges, FirstWordTruncatesTowardZero) {
    struct Case {
        int offset, type;
        ReadRange expected;
    } cases[] = {{0, 0x0100, {0, 0x100, 1}},   {1, 0x0100, {0, 0x100, 1}},
                 {2, 0x0100, {0, 0x100, 2}},   {3, 0x0200, {1, 0x101, 2}},
                 {35, 0x0300, {17, 0x111, 2}}, {30, 0x0500, {14, 0x10E, 11}}};
    for (const Case& c : cases) {
        CFieldList f;
        f.add({.kind = 0x0008,
               .maximum = 20,
               .format = "%0.f",
               .type = c.type,
               .offset = c.offset,
               .block = 0x100});
        EXPECT_EQ(readRange(f, 0x100), c.expected) << c.offset;
    }
}

TEST_F(MeasureAcquisitionTest, StartUpSequenceThenSteadyPolling) {
    EXPECT_EQ(where(request), (Where{3, 0x1111, 2}));
    const struct Step {
        Outcome outcome;
        Where next;
    } steps[] = {{Outcome::FullScale, {3, 0x4000, 9}},
                 {Outcome::StartupBlock, {3, 0x122F, 9}},
                 {Outcome::StartupBlock, {3, 0x2200, 31}},
                 {Outcome::StartupBlock, {3, 0x0010, 82}}};
    for (const Step& s : steps) {
        const auto r = answer();
        EXPECT_EQ(r.outcome, s.outcome);
        EXPECT_EQ(r.code, -1) << "a start-up block is no measurement";
        EXPECT_TRUE(r.replaced);
        EXPECT_EQ(where(request), s.next);
        EXPECT_TRUE(request.data.empty()) << "a read sends no data";
    }
    for (int i = 0; i < 3; ++i) {
        const auto r = answer();
        EXPECT_EQ(r.outcome, Outcome::Measurement);
        EXPECT_EQ(r.code, 0);
        EXPECT_FALSE(r.replaced);
        EXPECT_EQ(where(request), (Where{3, 0x0010, 82}));
    }
    ASSERT_EQ(blocks.decodes.size(), 7u);
    const int order[] = {blk::kMainSettings, blk::kSpecial,     blk::kOemName,    blk::kFactory,
                         blk::kMeasurement,  blk::kMeasurement, blk::kMeasurement};
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(blocks.decodes[i].block, order[i]) << i;
}

TEST_F(MeasureAcquisitionTest, FullScaleOffsetsCountFromTheBlockStart) {
    request.data = {0x00, 0x00, 0x01, 0x2C}; // registers 0x1111, 0x1112: bytes 34 .. 37
    ASSERT_EQ(acquisition.step(request).outcome, Outcome::FullScale);
    const Bytes& block = blocks.decodes.at(0).bytes;
    ASSERT_EQ(block.size(), 38u);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 34), Bytes(34, 0));
    // Byte 35 of the block, a 24-bit value in tenths: 0x00012C = 300 -> 30.0.
    EXPECT_EQ(fields.find(measure::id::kFullScale)->text(), "30.0");
}

TEST_F(MeasureAcquisitionTest, ABlockThatDoesNotDecodeIsReadAgain) {
    const int sequence[] = {blk::kMainSettings, blk::kSpecial, blk::kOemName, blk::kFactory,
                            blk::kMeasurement};
    for (int position = 0; position < 5; ++position) {
        const int failing = sequence[position];
        SCOPED_TRACE(failing);
        request = acquisition.firstRequest(1);
        blocks.failuresLeft[failing] = 2;
        int reads = 0;
        // Every block up to the failing one, which then fails twice and decodes the third time.
        for (;;) {
            ASSERT_LT(reads, 20);
            const Where before = where(request);
            const auto r = answer();
            ++reads;
            if (r.outcome == Outcome::DecodeFailed) {
                EXPECT_EQ(r.code, -1);
                EXPECT_FALSE(r.replaced);
                EXPECT_EQ(where(request), before);
                continue;
            }
            if (blocks.decodes.back().block == failing)
                break;
        }
        EXPECT_EQ(blocks.failuresLeft[failing], 0);
        EXPECT_EQ(reads, position + 3) << "the blocks before, then three reads of this one";
        blocks.decodes.clear();
    }
}

TEST_F(MeasureAcquisitionTest, NoAnswerKeepsTheRequest) {
    for (int i = 0; i < 4; ++i) {
        const auto r = answer(false);
        EXPECT_EQ(r.outcome, Outcome::Failed);
        EXPECT_EQ(r.code, -1);
        EXPECT_FALSE(r.replaced);
        EXPECT_EQ(where(request), (Where{3, 0x1111, 2}));
    }
    EXPECT_TRUE(blocks.decodes.empty());
}

TEST_F(MeasureAcquisitionTest, TotaliserCommandIsWrittenOnceThenPollingResumes) {
    while (where(request).address != blk::kMeasurement)
        answer();
    answer();
    // The command the fields hold: both totalisers.
    fields.find(measure::id::kTotaliserCommand)->setNumber(65537);
    acquisition.armWrite();
    const std::size_t decodedBefore = blocks.decodes.size();

    // The measurement reply in hand is dropped; the write goes out in its place.
    auto r = answer();
    EXPECT_EQ(r.outcome, Outcome::WriteSent);
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.replaced);
    EXPECT_EQ(where(request), (Where{16, 0x2306, 2}));
    EXPECT_EQ(request.data, (Bytes{0x00, 0x01, 0x00, 0x01}));
    EXPECT_EQ(blocks.decodes.size(), decodedBefore);

    // The write is not answered: it goes out again, nothing else happens.
    r = answer(false);
    EXPECT_EQ(r.outcome, Outcome::WriteSent);
    EXPECT_EQ(r.code, -1);
    EXPECT_EQ(where(request), (Where{16, 0x2306, 2}));

    r = answer();
    EXPECT_EQ(r.outcome, Outcome::WriteDone);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(where(request), (Where{3, 0x0010, 82}));
    EXPECT_TRUE(request.data.empty());
    EXPECT_FALSE(acquisition.writePending());
    EXPECT_EQ(blocks.encodes, (std::vector<int>{blk::kTotaliserCommand, blk::kTotaliserCommand}));
    EXPECT_EQ(timeouts, (std::vector<int>{2500, 2500, 1000}));

    r = answer();
    EXPECT_EQ(r.outcome, Outcome::Measurement);
    EXPECT_EQ(blocks.encodes.size(), 2u) << "written once";
}

} // namespace
