#pragma once

namespace ks {

class CProfileFile;

// The options the measurement dialog reads from the configuration: "Application", "Min Graph"
// and "Max Graph" of [Com] when it starts, the recording options of [File Save] when it is
// built.
struct MeasureOptions {
    int application = 0;  // 0 flow, 1 speed
    int graphMinimum = 0; // 0 "-Q/-V", 1 "0", 2 "+Q/+V"
    int graphMaximum = 2;
    int sampleRecordTime = 1;   // seconds
    double recordLapTime = 0.0; // minutes, 0: no limit

    // An option outside its values (a hand-edited file) reads as its default.
    static MeasureOptions read(const CProfileFile& configuration);
};

} // namespace ks
