#include "measurement/MeasureSession.h"
#include "framework/FieldListBlocks.h"
#include "measurement/GraphHistory.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"

#include <bit>
#include <cstring>
#include <gtest/gtest.h>

using namespace ks;
namespace id = ks::measure::id;
using Outcome = ks::CMeasureAcquisition::Outcome;

namespace {

void putFloat(Bytes& block, int offset, float v) {
    const auto bits = std::bit_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        block[static_cast<std::size_t>(offset + i)] =
            static_cast<std::uint8_t>(bits >> (24 - 8 * i));
}

// The session on the dialog's fields, fed with replies made here.
struct MeasureSessionTest : ::testing::Test {
    explicit MeasureSessionTest(MeasureOptions options = {}) : options(options) {
        registerMeasureFields(fields);
        registerBorrowedFields(fields);
    }
    void open(const MeasureOptions& o) {
        session = std::make_unique<CMeasureSession>(fields, blocks, graph, o, nullptr);
        request = session->acquisition().firstRequest(1);
    }
    Outcome reply(Bytes data) {
        request.data = std::move(data);
        return session->onFrame(request).outcome;
    }
    // Start-up blocks answered with zeros, the full scale with 125.0.
    void startUp() {
        ASSERT_EQ(reply({0x00, 0x00, 0x04, 0xE2}), Outcome::FullScale);
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(reply(Bytes(static_cast<std::size_t>(2 * request.count), 0)),
                      Outcome::StartupBlock);
    }
    Bytes measurement(float flow, float velocity) const {
        Bytes b(164, 0);
        putFloat(b, 0, flow);
        putFloat(b, 4, velocity);
        b[18] = 4;  // m3/h
        b[118] = 1; // one chord
        return b;
    }

    MeasureOptions options;
    CFieldList fields;
    CFieldListBlocks blocks{fields};
    GraphField graph{CMeasureSession::flowGraphSettings()};
    std::unique_ptr<CMeasureSession> session;
    JBusRequest request;
};

TEST_F(MeasureSessionTest, GraphPlotsFlowOrVelocityByTheApplication) {
    struct Case {
        int application, minimumOption, maximumOption;
        const char* unit;
        double point;
        GraphRange range;
    } cases[] = {{0, 0, 2, "m3/h", 12.5, {-125, 125}},
                 {1, 1, 2, "m/s", 1.25, {0, 125}},
                 {0, 2, 0, "m3/h", 12.5, {125, -125}}};
    for (const Case& c : cases) {
        MeasureOptions o;
        o.application = c.application;
        o.graphMinimum = c.minimumOption;
        o.graphMaximum = c.maximumOption;
        graph.setPoints(SampleSeries{});
        open(o);
        startUp();
        EXPECT_EQ(graph.model().curve(0)->minimum, c.range.minimum);
        EXPECT_EQ(graph.model().curve(0)->maximum, c.range.maximum);
        EXPECT_EQ(reply(measurement(12.5f, 1.25f)), Outcome::Measurement);
        EXPECT_EQ(graph.unit(), c.unit);
        EXPECT_DOUBLE_EQ(graph.points().values().back(), c.point);
        EXPECT_EQ(graphHistoryPoints(session->graphHistory()), graph.points());
        EXPECT_EQ(fields.find(id::kCommunicationStatus)->text(), "0");
        EXPECT_TRUE(fields.find(id::kGraph)->isShown());
    }
}

TEST_F(MeasureSessionTest, NoAnswerAddsNoPointAndShowsNothing) {
    open({});
    session->display().refresh(1);
    session->display().hideAll();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reply({}), Outcome::Failed);
    EXPECT_EQ(session->measurementCount(), 0);
    EXPECT_EQ(graph.curveStats().count, 0u);
    EXPECT_FALSE(fields.find(id::kFlow)->isShown());
    EXPECT_EQ(fields.find(id::kCommunicationStatus)->text(), "1");
}

TEST_F(MeasureSessionTest, TotaliserResetWritesBothBits) {
    open({});
    startUp();
    reply(measurement(1, 1));
    session->armTotaliserReset();
    EXPECT_EQ(reply(measurement(2, 2)), Outcome::WriteSent);
    EXPECT_EQ(request.function, 16);
    EXPECT_EQ(request.data, (Bytes{0x00, 0x01, 0x00, 0x01}));
    EXPECT_EQ(session->measurementCount(), 1) << "the reply the write replaced is not shown";
}

} // namespace
