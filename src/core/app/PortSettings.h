#pragma once

#include "app/ProfileFile.h"

#include <map>
#include <string>

namespace ks {

// [Ports] N=/dev/... of a configuration: which device a COM number stands for, where the
// user wants it fixed. Entries that are not absolute paths are ignored.
std::map<int, std::string> readPortAssignments(const CProfileFile& configuration);

} // namespace ks
