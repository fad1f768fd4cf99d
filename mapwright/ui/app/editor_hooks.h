#pragma once
// What a test build of the editor may change in a running editor: who
// answers its questions, what runs once it is up, how often it autosaves.
// The shipped editor has none of it: its executable defines editorHooks()
// as empty, and only the test executable reads them from its environment.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "common/prompts.h"

namespace mw::ui {

class SystemDocument;

struct EditorHooks {
    /// Stands for the user: answers the questions and file dialogs.
    std::unique_ptr<Prompts> prompts;
    /// Runs once the editor is up, after a recovery offer and the file given.
    std::function<void(SystemDocument&)> onStart;
    /// The autosave interval instead of the usual one.
    std::optional<std::chrono::milliseconds> autosave;
};

/// The hooks of this executable; defined once per executable.
EditorHooks editorHooks();

}  // namespace mw::ui
