#pragma once

#include "app/ProfileFile.h"

namespace ks {

// How the configuration says to reach the meter.
struct ComSettings {
    int portIndex = 0; // index in the port list: 0 is COM1
    int baudIndex = 5; // index in the baud table: 5 is 9600
    int slave = 1;     // JBus slave number

    static constexpr int kMaxPortIndex = 255;
    static constexpr int kMaxBaudIndex = 7;
    static constexpr int kMaxSlave = 255;

    bool operator==(const ComSettings&) const = default;
};

// [Com] Port, Bauds and JBus of a configuration file. A value outside its range (a
// hand-edited file) reads as that setting's default.
ComSettings readComSettings(const CProfileFile& configuration);

// Stores the three values as "%f" numbers; 0, or -1 when one write failed.
int writeComSettings(const CProfileFile& configuration, const ComSettings& settings);

} // namespace ks
