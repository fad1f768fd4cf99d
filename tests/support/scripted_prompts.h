#pragma once
// Prompts answered from a script, for tests of the editor's operations and
// windows: answers to questions and file names are queued; everything shown
// is recorded. A question or file dialog without a queued answer fails the
// test and is answered No / cancelled.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "common/prompts.h"

namespace vk_test {

class ScriptedPrompts : public mw::Prompts {
public:
    ScriptedPrompts& answer(bool yes) {
        answers.push_back(yes);
        return *this;
    }
    ScriptedPrompts& file(std::string path) {
        files.push_back(std::move(path));
        return *this;
    }

    void notice(const std::string& text) override { notices.push_back(text); }
    void error(const std::string& text) override { errors.push_back(text); }
    bool ask(const std::string& question) override {
        questions.push_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::string chooseFile(mw::FileDialog dialog) override {
        dialogs.push_back(dialog);
        if (files.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return {};
        }
        std::string f = files.front();
        files.pop_front();
        return f;
    }

    std::deque<bool> answers;
    std::deque<std::string> files;
    std::vector<std::string> notices;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::vector<mw::FileDialog> dialogs;
};

}  // namespace vk_test
