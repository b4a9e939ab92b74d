#pragma once

#include "app/QtUserPrompts.h"

#include <deque>
#include <string>

namespace ks::desktop {

// The program's prompts with its file dialogs answered from the command line (--answer-file),
// in turn, for pictures of dialogs that begin with a file dialog; messages and questions,
// and file dialogs once the answers run out, are the real ones.
class CAnsweredFiles : public ks::gui::CQtUserPrompts {
public:
    explicit CAnsweredFiles(std::deque<std::string> files) : m_files(std::move(files)) {}

    std::string openFile(const std::string& title, const std::string& folder,
                         const std::string& filter) override {
        if (m_files.empty())
            return CQtUserPrompts::openFile(title, folder, filter);
        return next();
    }
    std::string saveFile(const std::string& title, const std::string& folder,
                         const std::string& filter, const std::string& defaultSuffix) override {
        if (m_files.empty())
            return CQtUserPrompts::saveFile(title, folder, filter, defaultSuffix);
        return next();
    }

private:
    std::string next() {
        std::string f = m_files.front();
        m_files.pop_front();
        return f;
    }

    std::deque<std::string> m_files;
};

} // namespace ks::desktop
