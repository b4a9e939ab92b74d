#include "measurement/MeasureExport.h"

#include "i18n/DateTime.h"
#include "measurement/MeasureIds.h"
#include "measurement/MeasureRecording.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

using namespace ks;

namespace {

std::string recordingOf(const std::string& folder, int samples) {
    const std::string path = folder + "/r.mes";
    CMeasureSampleModel model(1, RegionalSettings::fallback(), 0);
    CMeasureRecorder recorder;
    EXPECT_EQ(recorder.create(path, "t\n", CDateTime::now().fields()), RecordFileStatus::Ok);
    for (int i = 0; i < samples; ++i) {
        model.fields().find(measure::id::kMeanSoundSpeed)->setNumber(1400 + i);
        EXPECT_EQ(recorder.writeSample(model.blocks(), {}), 0);
    }
    return path;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

// The progress display moves every 25 samples and at the end; cancelling from it leaves the
// output as it was, for both kinds.
TEST(MeasureExport, ProgressEveryTwentyFiveSamplesAndCancelWritesNothing) {
    test::TempFolder dir;
    ExportRequest request;
    request.recording = recordingOf(dir.path(), 60);
    for (const char* name : {"/out.prn", "/out.xlsx"}) {
        SCOPED_TRACE(name);
        request.output = dir.path() + name;
        request.kind = exportKindOfPath(request.output);
        std::vector<std::pair<int, int>> calls;
        const ExportResult done = exportRecording(request, [&](int n, int total) {
            calls.emplace_back(n, total);
            return true;
        });
        ASSERT_EQ(done.status, 0) << done.message;
        EXPECT_EQ(done.samples, 60);
        EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{25, 60}, {50, 60}, {60, 60}}));

        std::ofstream(request.output) << "older";
        const ExportResult cancelled = exportRecording(request, [](int n, int) { return n < 50; });
        EXPECT_TRUE(cancelled.cancelled);
        EXPECT_NE(cancelled.status, 0);
        EXPECT_EQ(fileText(request.output), "older");
    }
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 3u) << "no temporary file is left beside the outputs";
}
