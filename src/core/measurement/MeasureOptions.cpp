#include "measurement/MeasureOptions.h"

#include "app/ProfileFile.h"

namespace ks {

namespace {

int within(int value, int low, int high, int fallback) {
    return value < low || value > high ? fallback : value;
}

} // namespace

MeasureOptions MeasureOptions::read(const CProfileFile& cfg) {
    MeasureOptions o;
    o.application = within(cfg.readInteger(profile::kApplication), 0, 1, 0);
    o.graphMinimum = within(cfg.readInteger(profile::kMinGraph), 0, 2, 0);
    o.graphMaximum = within(cfg.readInteger(profile::kMaxGraph), 0, 2, 2);
    o.sampleRecordTime = cfg.readInteger(profile::kSampleRecordTime);
    o.recordLapTime = cfg.readNumber(profile::kRecordLapTime);
    return o;
}

} // namespace ks
