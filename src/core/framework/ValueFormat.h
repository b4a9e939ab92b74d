#pragma once

#include <string_view>

namespace ks {

// What a field's display format says about its value: the last character picks the path,
// the digits after the point give the implied decimals of the stored integer.
enum class FormatPath {
    Number,  // "f" and anything not listed below
    Integer, // "c" (list index) and "l"
    Whole,   // "h": rounded to a whole number
    Text,    // "s"
};

FormatPath formatPath(std::string_view format);

// A control-kit format ("auto4" and the like): the kit shows the number its own way.
bool isAutomaticFormat(std::string_view format);

// 10 to the number written after the point ("%0.1f" -> 10, "%.f" -> 1, none -> 1). Integer,
// whole and text formats have no implied decimals: 1.
double formatScale(std::string_view format);

} // namespace ks
