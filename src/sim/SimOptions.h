#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ks::sim {

// How a simulated meter behaves: its identity and application, and the line faults its
// server injects. The defaults give a well-behaved one-chord meter, slave 1, at 9600 baud.
struct SimOptions {
    int slave = 1;      // own JBus slave number, 1..247
    int baud = 9600;    // the only line rate at which the meter answers
    int app = 1;        // 1 one chord, 2 two chords, 3 two pipes
    bool pace = false;  // behave as if the line ran at the baud rate
    double drop = 0;    // probability of staying silent
    double corrupt = 0; // probability of one flipped bit in a reply
    double noise = 0;   // probability of garbled or extended replies
    int delayMs = 0;    // extra delay before every reply
    std::uint64_t seed = 1;
    std::string firmware;     // empty: the default version text
    std::uint32_t faults = 0; // fault flags of the measurement block (low 16 bits)
    // A write starting at this register is refused (exception 4, device failure), as a meter
    // that cannot take a block; -1: none.
    int refuseWrite = -1;
    // Seconds after the first request from which chord 1 reports a signal quality of 100;
    // negative: never (the quality stays below 100).
    double qualityAfterSeconds = -1;
    // Blocks (by start address) whose reads the meter leaves unanswered, as if it were busy.
    std::vector<int> silentBlocks;
    // A Hayes modem in front of the meter (the line then carries AT commands first).
    bool modem = false;
    int modemDelayMs = 1500;     // from the dial to "CONNECT"
    double modemDropSeconds = 0; // each call loses its carrier after this long; 0: never
};

} // namespace ks::sim
