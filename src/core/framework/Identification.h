#pragma once

#include "framework/BlockField.h"
#include "link/JBusFrame.h"

#include <string>
#include <vector>

namespace ks {

// The identification block every meter carries at 0xFF00 (25 registers).
struct Identification {
    static constexpr int kBlockCode = 0xFF00;
    static constexpr int kRegisterCount = 25;

    int slave = 0;
    int deviceCode = 0;
    int serialWeek = 0;
    int serialYear = 0;
    long serialUnit = 0;
    std::string firmware;
    std::string description;

    // "05/06/00042": week, year and unit number of the serial number.
    std::string serialNumber() const;
};

// The fields of the identification block, in the order every device dialog registers them
// first: slave number, device code, serial week, serial year, serial unit, firmware version
// text, firmware description text.
const std::vector<BlockField>& identificationFields();

// Decodes the block's bytes; false when it is shorter than the block.
bool decodeIdentification(const Bytes& block, Identification& out);

} // namespace ks
