#pragma once

#include "sim/SimOptions.h"

#include <string>
#include <vector>

namespace ks::sim {

struct SimCommandLine {
    SimOptions options;
    std::string link; // --link: a symbolic link to the slave path; empty: none
    bool help = false;
};

// Parses the arguments after the program name. Every option is checked in full (number
// syntax and range); false with a one-line reason on the first bad one.
bool parseSimCommandLine(const std::vector<std::string>& args, SimCommandLine& out,
                         std::string& error);

// The usage text, one option per line.
std::string simUsage();

} // namespace ks::sim
