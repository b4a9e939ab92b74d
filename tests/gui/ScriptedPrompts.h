#pragma once

#include "app/UserPrompts.h"

#include <deque>
#include <string>
#include <vector>

// Prompts that answer from a script and remember what they were asked, for tests that
// drive windows without anybody at the screen.
class CScriptedPrompts : public ks::CUserPrompts {
public:
    struct Message {
        std::string text;
        std::string caption;
        Icon icon;
    };
    struct FileRequest {
        bool save;
        std::string title;
        std::string folder;
        std::string filter;
        std::string defaultSuffix;
    };

    // Answers given in turn; when they run out, questions get No and file dialogs are
    // cancelled.
    std::deque<Answer> answers;
    std::deque<std::string> files;

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::vector<FileRequest> fileRequests;

    void message(const std::string& text, const std::string& caption, Icon icon) override {
        messages.push_back({text, caption, icon});
    }
    Answer question(const std::string& text, const std::string& caption) override {
        questions.push_back({text, caption, Icon::Question});
        return next(answers, Answer::No);
    }
    std::string openFile(const std::string& title, const std::string& folder,
                         const std::string& filter) override {
        fileRequests.push_back({false, title, folder, filter, {}});
        return next(files, std::string());
    }
    std::string saveFile(const std::string& title, const std::string& folder,
                         const std::string& filter, const std::string& defaultSuffix) override {
        fileRequests.push_back({true, title, folder, filter, defaultSuffix});
        return next(files, std::string());
    }
    std::string chooseFolder(const std::string& title, const std::string& folder) override {
        fileRequests.push_back({false, title, folder, {}, {}});
        return next(files, std::string());
    }

private:
    template <typename T> static T next(std::deque<T>& queue, T otherwise) {
        if (queue.empty())
            return otherwise;
        T v = queue.front();
        queue.pop_front();
        return v;
    }
};
