#pragma once
// Prompts answered from a script, for tests of the editor's operations and
// windows. Answers come from the queue first (answer(), file()), then from the
// maps (answers[question], files[dialog]); anything unanswered is No or a
// cancelled dialog. Everything shown or asked is recorded.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "common/prompts.h"

namespace vk_test {

class ScriptedPrompts : public mw::Prompts {
  public:
    ScriptedPrompts& answer(bool yes) {
        answerQueue.push_back(yes);
        return *this;
    }
    ScriptedPrompts& file(std::string path) {
        fileQueue.push_back(std::move(path));
        return *this;
    }
    /// The files of the next multi-selection dialog.
    ScriptedPrompts& fileList(std::vector<std::string> paths) {
        fileListQueue.push_back(std::move(paths));
        return *this;
    }

    void notice(const std::string& text) override { notices.push_back(text); }
    void error(const std::string& text) override { errors.push_back(text); }
    bool ask(const std::string& question) override {
        questions.push_back(question);
        if (!answerQueue.empty()) {
            const bool yes = answerQueue.front();
            answerQueue.pop_front();
            return yes;
        }
        const auto it = answers.find(question);
        return it != answers.end() && it->second;
    }
    std::string chooseFile(mw::FileDialog dialog) override {
        dialogs.push_back(dialog);
        if (!fileQueue.empty()) {
            std::string f = fileQueue.front();
            fileQueue.pop_front();
            return f;
        }
        const auto it = files.find(dialog);
        return it == files.end() ? std::string() : it->second;
    }

    std::vector<std::string> chooseFiles(mw::FileDialog dialog) override {
        if (fileListQueue.empty()) return Prompts::chooseFiles(dialog);
        dialogs.push_back(dialog);
        std::vector<std::string> chosen = fileListQueue.front();
        fileListQueue.pop_front();
        return chosen;
    }

    std::deque<bool> answerQueue;
    std::deque<std::vector<std::string>> fileListQueue;
    std::deque<std::string> fileQueue;
    std::map<std::string, bool> answers;
    std::map<mw::FileDialog, std::string> files;

    std::vector<std::string> notices;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::vector<mw::FileDialog> dialogs;
};

}  // namespace vk_test
