#pragma once

#include "app/UserPrompts.h"

#include <iosfwd>

namespace ks::cli {

// Messages go to stderr; a question is answered Yes by --yes, or asked on the terminal.
class CliPrompts : public CUserPrompts {
public:
    CliPrompts(std::ostream& err, bool yes) : m_err(err), m_yes(yes) {}
    void message(const std::string& text, const std::string& caption, Icon) override;
    Answer question(const std::string& text, const std::string&) override;
    std::string openFile(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string saveFile(const std::string&, const std::string&, const std::string&,
                         const std::string&) override {
        return {};
    }

private:
    std::ostream& m_err;
    bool m_yes;
};

} // namespace ks::cli
