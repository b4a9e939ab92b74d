#pragma once

namespace ks {

// Baud rate and inter-byte time-out by index; settings and dialogs store the index.
struct BaudEntry {
    long baud = 0;
    int interByteTimeoutMs = 0;
    const char* label = ""; // the same in every language
};

inline constexpr int kBaudTableSize = 11;
inline constexpr int kBluetoothBaudIndex = 6;

// Entry i of the table; an empty entry (baud 0) outside 0..10.
const BaudEntry& baudEntry(int index);
// The number of leading entries with a rate: 8.
int baudCount();

} // namespace ks
