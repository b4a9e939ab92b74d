#pragma once

#include <string>
#include <vector>

namespace ks {

// The message of a transfer that stopped at a block the meter refused: that block and the
// blocks written before it (so the user knows what the meter holds now), in the language
// (1 French .. 5 Spanish; French outside). Blocks are named by their code, "0x1100".
std::string writeFailureMessage(int failedBlock, const std::vector<int>& written, int language);

} // namespace ks
