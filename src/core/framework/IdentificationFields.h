#pragma once

#include "framework/FieldList.h"
#include "framework/Identification.h"

namespace ks {

// Control ids of the identification fields every device dialog registers first (label id;
// the value control is id + 1, the unit id + 2).
namespace identcontrol {
inline constexpr int kSlave = 1700;       // JBus slave number
inline constexpr int kDeviceCode = 1703;  // device code
inline constexpr int kSerialWeek = 1706;  // serial number: week
inline constexpr int kSerialYear = 1709;  // serial number: year
inline constexpr int kSerialUnit = 1712;  // serial number: unit number
inline constexpr int kFirmware = 1715;    // firmware version text
inline constexpr int kDescription = 1718; // firmware description text
} // namespace identcontrol

// Registers the identification block's fields (read-only displays, no label) in the order of
// identificationFields().
void registerIdentificationFields(CFieldList& fields);

// What the identification fields of a list hold (after the block was read into them);
// texts lose the blanks a meter pads them with. Fields the list lacks read as 0 or "".
Identification identificationOf(const CFieldList& fields);

} // namespace ks
