#pragma once
// What every window of the editor is given: the one editor state (created by
// main, or by a test), the document that changes the open system, the
// prompts that ask the user, and the files beside the executable.

#include "editor/editor_state.h"
#include "widgets/program_files.h"

namespace mw::ui {

class SystemDocument;

struct EditorContext {
    EditorState& state;
    SystemDocument& document;
    Prompts& prompts;
    ProgramFiles files;
};

}  // namespace mw::ui
