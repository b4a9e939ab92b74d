#pragma once

#include <string>

namespace ks {

// The Hayes strings the dialler sends and how it reads the modem's answers.
namespace modem {

// "AT " + the configured string + CR LF; used for the initialisation and the hang-up.
std::string atCommand(const std::string& setting);
// "ATDT" (tone) or "ATDP" (pulse) + the number + CR LF. The number goes out as typed.
std::string dialCommand(bool pulse, const std::string& number);
// The escape to command mode; the modem wants a silent line before and after it.
inline constexpr const char* kEscape = "+++";

// What a reply to the dialling command says, in the order it is looked for.
enum class DialReply { Connect, Busy, NoDialtone, NoCarrier, Other };

bool saysOk(const std::string& reply);
DialReply dialReply(const std::string& reply);

// A text as the status box shows it: every "&" and "%" doubled, line ends made plain
// line feeds and other control bytes dropped (the text comes from the line).
std::string displayText(const std::string& text);

} // namespace modem
} // namespace ks
