#pragma once

#include "framework/FieldList.h"

namespace ks {

// The field lists of the service dialogs, each registered after the identification fields
// every device dialog starts with.

// Calibration: firmware, clock synchronisation, Kh and Delta T0 of chord 1, then the whole
// settings sheet unshown (the edits are copied into its fields before a write or a save).
void registerCalibrationFields(CFieldList& fields);

// The factory settings dialog: block 0x2200.
void registerFactoryDialogFields(CFieldList& fields);

// The analogue output adjustment points of block 0x3000.
void registerOutputFields(CFieldList& fields);

// The special probe file: text, T0, angle, frequency in its own record, and where the probe
// goes in the factory block ("Sauvegarde dans:" SA or SB). The factory fields follow unshown:
// a probe sent to the meter travels in them.
void registerProbeFileFields(CFieldList& fields);

// The special settings dialog: block 0x4000 and the firmware text of the measurement block.
void registerSpecialDialogFields(CFieldList& fields);

// The OEM dialog: firmware text of the identification block, block 0x122F, then the special
// settings unshown (they say which models and applications the lists offer).
void registerOemFields(CFieldList& fields);

// The echo table dialog: the identification, the fields of the echo tables' grids
// (registerEchoTableFields), and the four tables' rows carried unshown at their place in
// block 0x0B00 so that a file keeps them.
void registerEchoFields(CFieldList& fields);

} // namespace ks
