#pragma once
// Test-only: lets a test drive a real editor process (the test executable,
// see test_hooks.cpp) without a display or a human. The editor answers its
// questions from the script, prints every message on standard error instead
// of showing it, and once started runs the script's actions. One line each:
//   answer yes|no       the next question's answer (unanswered ones are No)
//   place TOOL X Y      a click on the map panel's pixel with the tool ("pln", "neb", ...)
//   sun NAME            the sun name field
//   dump PATH           writes the open system as a design file, changing nothing
//   save                the main window's Save
//   quit                ends the program as a clean exit does
// The installed editor holds none of it.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/prompts.h"

namespace mw::ui {

class SystemDocument;

class TestScript : public Prompts {
  public:
    explicit TestScript(const std::string& text);

    void notice(const std::string& text) override;
    void error(const std::string& text) override;
    bool ask(const std::string& question) override;
    std::string chooseFile(FileDialog dialog) override;

    /// Runs the actions, in order, on the open system.
    void run(SystemDocument& document) const;

  private:
    std::deque<bool> answers_;
    std::vector<std::vector<std::string>> actions_;
};

}  // namespace mw::ui
