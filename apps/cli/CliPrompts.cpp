#include "CliPrompts.h"

#include <iostream>
#include <string>

namespace ks::cli {

void CliPrompts::message(const std::string& text, const std::string& caption, Icon) {
    m_err << (caption.empty() ? "" : caption + ": ") << text << "\n";
}

CUserPrompts::Answer CliPrompts::question(const std::string& text, const std::string&) {
    if (m_yes)
        return Answer::Yes;
    m_err << text << " [y/N] " << std::flush;
    std::string line;
    std::getline(std::cin, line);
    return !line.empty() && (line[0] == 'y' || line[0] == 'Y' || line[0] == 'o' || line[0] == 'O')
               ? Answer::Yes
               : Answer::No;
}

} // namespace ks::cli
