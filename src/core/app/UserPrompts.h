#pragma once

#include <string>

namespace ks {

// Everything that asks the user something or tells them something goes through here: the
// desktop program shows real message boxes and file dialogs, tests and the command line
// install a scripted implementation. Texts arrive already in the user's language.
class CUserPrompts {
public:
    enum class Answer { Yes, No };
    enum class Icon { Error, Warning, Information, Question };

    virtual ~CUserPrompts() = default;
    // A task-modal message box with one OK button.
    virtual void message(const std::string& text, const std::string& caption, Icon icon) = 0;
    // A Yes/No question.
    virtual Answer question(const std::string& text, const std::string& caption) = 0;
    // File dialogs; an empty result means the user cancelled. filter is "Title (*.a;*.b)".
    virtual std::string openFile(const std::string& title, const std::string& folder,
                                 const std::string& filter) = 0;
    virtual std::string saveFile(const std::string& title, const std::string& folder,
                                 const std::string& filter, const std::string& defaultSuffix) = 0;
    // The folder browser; "" when cancelled (or where nobody can be asked).
    virtual std::string chooseFolder(const std::string& title, const std::string& folder) {
        (void)title;
        (void)folder;
        return {};
    }
};

} // namespace ks
