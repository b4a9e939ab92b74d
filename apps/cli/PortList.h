#pragma once

#include <string>
#include <vector>

namespace ks::cli {

// Reads a list of COM numbers such as "1-4,7": numbers and ranges separated by commas, each
// number within 1..255. False when anything is off; the numbers come out sorted, each once.
bool parsePortList(const std::string& text, std::vector<int>& ports);

} // namespace ks::cli
