#include "editor_state.h"

#include "common/shell_text.h"
#include "system/designer_text.h"

namespace mw {

EditorState::EditorState(std::filesystem::path workingFolder, std::optional<std::uint64_t> seed)
    : workingFolder_(std::move(workingFolder)),
      nameFiles_(workingFolder_),
      random_(seed ? EditorRandom(*seed) : EditorRandom()),
      designer_(std::make_unique<SystemDesigner>(nameSettings_, random_, nameFiles_, shell_)),
      map_(std::make_unique<MapDocument>()) {}

EditorState::~EditorState() = default;

void EditorState::MainWindowShown() {
    shell_.openFlag = false;
}

EditorState::OpenCommand EditorState::BeginOpen(bool designerOpen, Prompts& prompts) {
    shell_.openFlag = true;
    if (!designerOpen) return OpenCommand::CreateDesigner;
    if (!designer_->unsaved() || prompts.ask(std::string(shell_text::kAskOpenNew)))
        return OpenCommand::OpenInDesigner;
    shell_.openFlag = false;
    return OpenCommand::Nothing;
}

std::string EditorState::OpenedCaption() {
    // Create cleared the file path; only a file read sets it again.
    if (designer_->filePath().empty()) return designer_->caption();
    if (shell_.lastOpenedCaption.empty())
        shell_.lastOpenedCaption = std::string(designer_text::kUnnamedCaption);
    return shell_.lastOpenedCaption;
}

bool EditorState::ConfirmQuit(QuitCommand from, Prompts& prompts) {
    if (!designer_->unsaved() && !map_->unsaved()) return true;
    return prompts.ask(std::string(from == QuitCommand::Menu ? shell_text::kAskQuitMenu
                                                             : shell_text::kAskQuitToolbar));
}

}  // namespace mw
