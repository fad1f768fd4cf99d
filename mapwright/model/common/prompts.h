#pragma once
// Everything the editor's operations need from the user: notices, error
// boxes, Yes/No questions and file names. The windows answer with message
// boxes and file dialogs, headless commands and tests answer directly, so
// every rule that asks something stays in the model.

#include <string>
#include <string_view>
#include <vector>

namespace mw {

/// The editor's file dialogs.
enum class FileDialog {
    OpenSystem,          // designer "Open"
    SaveSystem,          // designer "Save as"
    InsertSystem,        // wizard "Insert"
    LoadProject,         // wizard "Load map"
    SaveProject,         // wizard "Save map", the project file
    SaveInfSource,       // wizard "Save map", the mission source
    LinkSystems,         // jump-node dialog "Link systems"
    LocateNameDatabase,  // names manager "Locate"
};

/// What a file dialog shows. The filter is a description and a pattern
/// ("System design files", "*.sdf"); the default extension has no dot and is
/// empty when the dialog adds none.
struct FileDialogText {
    std::string_view title;
    std::string_view filterName;
    std::string_view pattern;
    std::string_view defaultExtension;
    bool saving;
};

const FileDialogText& fileDialogText(FileDialog dialog);

class Prompts {
  public:
    virtual ~Prompts() = default;
    /// A plain notice, e.g. "Map saved to ...!".
    virtual void notice(const std::string& text) = 0;
    /// A Yes/No question; true means Yes.
    virtual bool ask(const std::string& question) = 0;
    /// The file name chosen in the dialog (which starts empty); empty means cancelled.
    virtual std::string chooseFile(FileDialog dialog) = 0;
    /// Several existing files chosen at once, in the order chosen; empty
    /// means cancelled. Without a dialog of its own it is one chooseFile.
    virtual std::vector<std::string> chooseFiles(FileDialog dialog) {
        std::string file = chooseFile(dialog);
        if (file.empty()) return {};
        return {std::move(file)};
    }
    /// A failure the user must see (a UserError's message, naming the file).
    virtual void error(const std::string& text) { notice(text); }
};

}  // namespace mw
