// The reply step driving the polling worker against calyptron-sim in its own process.
#include "MeasureTestBlocks.h"
#include "framework/FieldListBlocks.h"
#include "link/JBusLink.h"
#include "measurement/MeasureAcquisition.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"
#include "support/SimProcess.h"

#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

using namespace ks;
using ks::test::SimProcess;
using Outcome = ks::CMeasureAcquisition::Outcome;
namespace blk = ks::measure::block;

namespace {

class QueueSink : public CFrameSink {
public:
    void postNewFrame() override {
        std::lock_guard lock(m_mutex);
        ++m_pending;
        m_cv.notify_all();
    }
    bool wait(int timeoutMs) {
        std::unique_lock lock(m_mutex);
        if (!m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return m_pending > 0; }))
            return false;
        --m_pending;
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_pending = 0;
};

struct Exchange {
    JBusRequest request; // as the worker ran it, with its reply
    CMeasureAcquisition::Result result;
};

class MeasureAgainstSim : public ::testing::Test {
protected:
    MeasureAgainstSim() {
        registerMeasureFields(fields);
        registerBorrowedFields(fields);
        acquisition.setFirstByteTimeoutSetter([this](int ms) { link.setFirstByteTimeout(ms); });
    }
    ~MeasureAgainstSim() override { link.stopPolling(); }

    bool start(const std::vector<std::string>& args, int slave = 1) {
        if (!sim.start(args))
            return false;
        link.serialLink().portTable().assign(9, sim.path());
        link.setFirstByteTimeout(200);
        bool connected = false;
        if (link.open(9, 5, 'N', 8, 1, false, connected) != 0)
            return false;
        const JBusRequest first = acquisition.firstRequest(slave);
        return link.startPolling(&sink, slave, first.function, first.address, first.count, 5,
                                 first.itemSize, {}) == 0;
    }

    // One notification handled as the dialog handles it.
    Exchange next() {
        Exchange e;
        EXPECT_TRUE(sink.wait(5000)) << "no notification";
        e.request = link.getRequest();
        JBusRequest r = e.request;
        e.result = acquisition.step(r);
        if (e.result.replaced)
            link.setRequest(r);
        link.acknowledge();
        return e;
    }

    const CField& field(int fieldId) const { return *fields.find(fieldId); }

    CFieldList fields;
    CFieldListBlocks values{fields};
    test::CRecordingBlocks blocks{values}; // decodes through the fields, fails on demand
    CMeasureAcquisition acquisition{blocks, fields};
    SimProcess sim;
    CJBusLink link;
    QueueSink sink;
};

TEST_F(MeasureAgainstSim, StartUpSequenceThenSteadyPollingOfATwoPipeMeter) {
    ASSERT_TRUE(start({"--app", "3"}));
    const struct {
        int address, count;
        Outcome outcome;
    } expected[] = {{0x1111, 2, Outcome::FullScale},    {0x4000, 9, Outcome::StartupBlock},
                    {0x122F, 9, Outcome::StartupBlock}, {0x2200, 31, Outcome::StartupBlock},
                    {0x0010, 82, Outcome::Measurement}, {0x0010, 82, Outcome::Measurement},
                    {0x0010, 82, Outcome::Measurement}};
    for (const auto& x : expected) {
        const Exchange e = next();
        EXPECT_EQ(e.request.address, x.address);
        EXPECT_EQ(e.request.count, x.count);
        EXPECT_EQ(e.request.data.size(), static_cast<std::size_t>(2 * x.count));
        EXPECT_EQ(e.result.outcome, x.outcome) << std::hex << x.address;
    }
    // What the simulated meter holds, decoded by the dialog's fields.
    namespace id = measure::id;
    EXPECT_EQ(field(id::kFullScale).text(), "10.0");
    EXPECT_EQ(field(id::kChordCount).text(), "2");
    EXPECT_EQ(field(id::kTwoPipes).text(), "1");
    EXPECT_EQ(field(id::kSecondChord).text(), "0");
    EXPECT_EQ(field(id::kFamilyName).text(), "CALYPTRON M01");
    EXPECT_EQ(field(id::kOemName).text(), "   CALYPTRON    ") << "blank-padded";
    EXPECT_EQ(field(id::kBoard).shownText(), "Board B");
    EXPECT_EQ(field(id::kSerialSequence).text(), "00001");
    EXPECT_EQ(field(id::kFlowUnit).text(), "4");
    EXPECT_EQ(field(id::kGainType1).shownText(), "E.S.C.");
    EXPECT_GT(field(id::kMeanSoundSpeed).number(), 1400);
    EXPECT_EQ(field(id::kMeanSoundSpeed).text().find('.'), std::string::npos) << "%0.f";
    EXPECT_NE(field(id::kDeltaT1Full).text(), field(id::kDeltaT1).text()) << "full precision";
    EXPECT_NE(field(id::kMeterClock).text().find(" - "), std::string::npos);
}

TEST_F(MeasureAgainstSim, ABlockThatDoesNotDecodeIsReadAgainBeforeTheNext) {
    blocks.failuresLeft[blk::kOemName] = 2;
    ASSERT_TRUE(start({"--app", "2"}));
    std::vector<int> addresses;
    for (int i = 0; i < 7; ++i)
        addresses.push_back(next().request.address);
    EXPECT_EQ(addresses,
              (std::vector<int>{0x1111, 0x4000, 0x122F, 0x122F, 0x122F, 0x2200, 0x0010}));
    EXPECT_EQ(fields.find(measure::id::kOemName)->text(), "   CALYPTRON    ");
}

TEST_F(MeasureAgainstSim, AMeterThatNeverAnswersKeepsTheFullScaleRequest) {
    // Polling slave 2 of a meter that is slave 1: every exchange times out.
    ASSERT_TRUE(start({}, 2));
    link.setFirstByteTimeout(30);
    link.setRetries(1);
    for (int i = 0; i < 4; ++i) {
        const Exchange e = next();
        EXPECT_EQ(e.request.address, 0x1111);
        EXPECT_TRUE(e.request.data.empty());
        EXPECT_EQ(e.result.outcome, Outcome::Failed);
    }
}

TEST_F(MeasureAgainstSim, TotaliserResetIsWrittenOnceAndPollingResumes) {
    ASSERT_TRUE(start({"--app", "1"}));
    Exchange e;
    do
        e = next();
    while (e.result.outcome != Outcome::Measurement);
    // Let the totalisers count for a while (the meter's flow fills them), then reset.
    std::uint32_t before = 0;
    for (int i = 0; i < 200 && before == 0; ++i) {
        e = next();
        const Bytes& d = e.request.data;
        before = static_cast<std::uint32_t>(d[8] << 24 | d[9] << 16 | d[10] << 8 | d[11]);
    }
    ASSERT_GT(before, 0u) << "totaliser 1 never counted";
    fields.find(measure::id::kTotaliserCommand)->setNumber(65537);
    acquisition.armWrite();

    e = next(); // a measurement reply, dropped for the write
    EXPECT_EQ(e.result.outcome, Outcome::WriteSent);
    e = next();
    EXPECT_EQ(e.request.function, 16);
    EXPECT_EQ(e.request.address, 0x2306);
    EXPECT_EQ(e.result.outcome, Outcome::WriteDone);
    e = next();
    EXPECT_EQ(e.request.function, 3);
    EXPECT_EQ(e.request.address, 0x0010);
    EXPECT_EQ(e.result.outcome, Outcome::Measurement);
    const std::uint32_t after =
        static_cast<std::uint32_t>(e.request.data[8] << 24 | e.request.data[9] << 16 |
                                   e.request.data[10] << 8 | e.request.data[11]);
    EXPECT_LT(after, before) << "the meter reset totaliser 1";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(next().result.outcome, Outcome::Measurement);
}

} // namespace
