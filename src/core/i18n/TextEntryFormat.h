#pragma once

#include <string>
#include <vector>

namespace ks {

// A text entry for a translator's terminal: one string per line, each ending in a line feed,
// with line breaks, tabs and backslashes inside a string written as \n, \t and \\ (as in the
// data file, so a line can be pasted back into it). An empty list gives an empty text.
std::string formatTextEntry(const std::vector<std::string>& strings);

} // namespace ks
