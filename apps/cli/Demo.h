#pragma once

#include <string>

namespace ks::cli {

// Starts a simulated meter in this process (slave 1, 9600 baud) and gives its device path.
bool startDemoMeter(std::string& devicePath, std::string& error);
void stopDemoMeter();

} // namespace ks::cli
