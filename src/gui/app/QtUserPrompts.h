#pragma once

#include "app/UserPrompts.h"

#include <QString>

namespace ks::gui {

// The desktop program's prompts: real message boxes and file dialogs, modal over the active
// window (the user must answer before going on anywhere in the program).
class CQtUserPrompts : public CUserPrompts {
public:
    void message(const std::string& text, const std::string& caption, Icon icon) override;
    Answer question(const std::string& text, const std::string& caption) override;
    std::string openFile(const std::string& title, const std::string& folder,
                         const std::string& filter) override;
    std::string saveFile(const std::string& title, const std::string& folder,
                         const std::string& filter, const std::string& defaultSuffix) override;
    std::string chooseFolder(const std::string& title, const std::string& folder) override;

    // "Title (*.a;*.b)" as Qt's file dialogs read it ("Title (*.a *.b)"); several kinds are
    // separated by ";;".
    static QString qtFilter(const std::string& filter);
};

} // namespace ks::gui
