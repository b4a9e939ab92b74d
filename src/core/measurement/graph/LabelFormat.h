#pragma once

#include <string>
#include <string_view>

namespace ks {

// True when the format holds exactly one conversion of a double: '%', flags from "-+ #0", a
// width and a precision of at most two digits each, an optional 'l' and one of "fFeEgG";
// plain text and "%%" may surround it. Formats come from field tables and settings files, so
// nothing else is ever handed to printf.
bool isNumberFormat(std::string_view format);

// The value printed with the format when it is a number format, otherwise with "%g".
std::string formatNumber(std::string_view format, double value);

} // namespace ks
