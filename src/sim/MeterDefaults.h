#pragma once

#include "sim/RegisterImage.h"
#include "sim/SimOptions.h"

#include <string>

namespace ks::sim {

// Version text of the simulated firmware when none is given: the program's version
// prefix followed by a firmware release.
std::string defaultFirmwareVersion();

// Fills every block with a freshly installed meter's values for these options: the
// program's default settings, the identity of unit 07/03/00001, the chosen application.
void loadMeterDefaults(CRegisterImage& image, const SimOptions& options);

// Copies into the meter's own blocks (measurement, echo tables, identification) what
// follows from the stored settings: units, modes, margins, serial number, board.
void refreshDerivedFields(CRegisterImage& image);

} // namespace ks::sim
