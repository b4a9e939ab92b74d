// The bench test's measuring loop on a scripted meter and a clock the test moves.
#include "reports/TestLoop.h"
#include "reports/TestFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ks;
using Outcome = CTestLoop::Outcome;

namespace {

constexpr int kFail = -1;

// Answers the loop's exchanges from a script: one entry per measurement read (a quality, or
// kFail), one per echo read (true: answered). Each read takes stepMs of the clock.
class ScriptedMeter : public CBlockExchange {
public:
    ScriptedMeter(CFieldList& fields, std::vector<int> qualities, std::vector<bool> echoes,
                  std::int64_t stepMs, bool writeOk = true)
        : m_fields(fields), m_qualities(std::move(qualities)), m_echoes(std::move(echoes)),
          m_step(stepMs), m_writeOk(writeOk) {}

    int readBlock(int block) override {
        now += m_step;
        log += block == test::block::kMeasurement ? "M" : block == test::block::kEcho ? "E" : "?";
        if (block == test::block::kMeasurement) {
            const int q = m_m < m_qualities.size() ? m_qualities[m_m] : m_qualities.back();
            ++m_m;
            if (q == kFail)
                return 252;
            m_fields.find(test::id::kQuality1)->setNumber(q);
            return 0;
        }
        const bool ok = m_e < m_echoes.size() ? m_echoes[m_e] : m_echoes.back();
        ++m_e;
        return ok ? 0 : 252;
    }
    int writeBlock(int block) override {
        log += block == test::block::kFactory ? "W" : "?";
        return m_writeOk ? 0 : 251;
    }

    std::int64_t now = 0;
    std::string log;

private:
    CFieldList& m_fields;
    std::vector<int> m_qualities;
    std::vector<bool> m_echoes;
    std::int64_t m_step;
    bool m_writeOk;
    std::size_t m_m = 0, m_e = 0;
};

TEST(TestLoop, Outcomes) {
    struct Case {
        const char* name;
        std::vector<int> qualities;
        std::vector<bool> echoes;
        std::int64_t stepMs;
        bool writeOk;
        Outcome outcome;
        int failures;
        bool qualityReached;
        std::string exchanges; // W write, M measurement read, E echo read
    };
    const Case cases[] = {
        {"quality reaches 100", {90, 99, 100}, {true}, 100, true, Outcome::Done, 0, true, "WMMME"},
        {"20 000 ms is still within the limit, past it the echo tables are read",
         {95},
         {true},
         5000,
         true,
         Outcome::Done,
         0,
         false,
         "WMMMMME"},
        {"four failed reads",
         {kFail},
         {true},
         100,
         true,
         Outcome::TooManyFailures,
         4,
         false,
         "WMMMM"},
        {"three failures then a good test",
         {kFail, kFail, kFail, 100},
         {true},
         100,
         true,
         Outcome::Done,
         3,
         true,
         "WMMMME"},
        {"echo reads that fail count too, each after a new measurement",
         {100},
         {false},
         100,
         true,
         Outcome::TooManyFailures,
         4,
         true,
         "WMEMEMEME"},
        {"failed transfer: nothing is read",
         {100},
         {true},
         100,
         false,
         Outcome::TransferFailed,
         0,
         false,
         "W"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFieldList fields;
        registerTestFields(fields);
        ScriptedMeter meter(fields, c.qualities, c.echoes, c.stepMs, c.writeOk);
        CTestLoop loop(meter, fields);
        loop.setClock([&] { return meter.now; });
        const CTestLoop::Result r = loop.run();
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.failures, c.failures);
        EXPECT_EQ(r.qualityReached, c.qualityReached);
        EXPECT_EQ(meter.log, c.exchanges);
    }
}

TEST(TestLoop, ProgressOncePerWholeSecondAndCancel) {
    CFieldList fields;
    registerTestFields(fields);
    ScriptedMeter meter(fields, {50}, {true}, 400);
    CTestLoop loop(meter, fields);
    loop.setClock([&] { return meter.now; });
    std::vector<int> steps;
    loop.setProgress([&](int s) { steps.push_back(s); });
    int pauses = 0;
    loop.setPause([&] { ++pauses; });
    const CTestLoop::Result r = loop.run();
    EXPECT_EQ(r.outcome, Outcome::Done);
    // Reads at 0.4 s, 0.8 s, ... 20.4 s: each whole second once, in order.
    std::vector<int> want;
    for (int s = 1; s <= 20; ++s)
        want.push_back(s);
    EXPECT_EQ(steps, want);
    EXPECT_EQ(r.measurements, 51);
    EXPECT_EQ(pauses, 50) << "a pause between two reads, none before the first";

    // Cancel between two reads ends the test without the echo tables.
    ScriptedMeter other(fields, {50}, {true}, 100);
    CTestLoop cancelled(other, fields);
    cancelled.setClock([&] { return other.now; });
    cancelled.setCancel([&] { return other.log.size() >= 3; });
    EXPECT_EQ(cancelled.run().outcome, Outcome::Cancelled);
    EXPECT_EQ(other.log, "WMM");
}

} // namespace
