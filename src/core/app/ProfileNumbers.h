#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers in profile files: written as "%f" (six decimals, always a '.' whatever the locale,
// so that a file moves between machines unchanged) and read back as a decimal number.
namespace ks {

std::string formatProfileNumber(double value);

// The number at the start of the text, read the way atof reads it: leading blanks, a sign,
// digits with an optional '.' fraction and exponent, up to the first other character.
// Nothing when the text does not start with a number or the number does not fit a double.
std::optional<double> parseProfileNumber(std::string_view text);

} // namespace ks
