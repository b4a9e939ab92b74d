#include "link/ModemCommands.h"

namespace ks::modem {

std::string atCommand(const std::string& setting) {
    return "AT " + setting + "\r\n";
}

std::string dialCommand(bool pulse, const std::string& number) {
    return std::string(pulse ? "ATDP" : "ATDT") + number + "\r\n";
}

bool saysOk(const std::string& reply) {
    return reply.find("OK") != std::string::npos;
}

DialReply dialReply(const std::string& reply) {
    auto has = [&reply](const char* word) { return reply.find(word) != std::string::npos; };
    if (has("CONNECT"))
        return DialReply::Connect;
    if (has("BUSY"))
        return DialReply::Busy;
    if (has("NO DIALTONE"))
        return DialReply::NoDialtone;
    if (has("NO CARRIER"))
        return DialReply::NoCarrier;
    return DialReply::Other;
}

std::string displayText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '&' || c == '%') {
            out += static_cast<char>(c);
            out += static_cast<char>(c);
        } else if (c == '\r') {
            // CR LF and a lone CR both end a line.
            if (i + 1 >= text.size() || text[i + 1] != '\n')
                out += '\n';
        } else if (c == '\n' || c == '\t' || (c >= 0x20 && c != 0x7F)) {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace ks::modem
