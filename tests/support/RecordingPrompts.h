#pragma once

#include "app/UserPrompts.h"

#include <string>
#include <vector>

namespace ks::test {

// Keeps every message instead of showing it; questions get a fixed answer, file dialogs are
// cancelled.
class RecordingPrompts : public CUserPrompts {
public:
    struct Shown {
        std::string text;
        std::string caption;
        Icon icon;
    };

    void message(const std::string& text, const std::string& caption, Icon icon) override {
        shown.push_back({text, caption, icon});
    }
    Answer question(const std::string&, const std::string&) override { return answer; }
    std::string openFile(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string saveFile(const std::string&, const std::string&, const std::string&,
                         const std::string&) override {
        return {};
    }

    std::vector<Shown> shown;
    Answer answer = Answer::No;
};

} // namespace ks::test
