#pragma once
// What the map creator wizard's operations need from the user: notices,
// Yes/No questions and file names. The wizard window implements it with
// message boxes and file dialogs; headless callers and tests answer directly.

#include <string>

namespace mw {

/// The wizard's file dialogs.
enum class WizardFile {
    InsertSystem,   // "Insert system to map...", *.sdf
    LoadProject,    // *.vmpf to load
    SaveProject,    // *.vmpf to save
    SaveInfSource,  // *.txt for the mission source
};

class WizardPrompts {
public:
    virtual ~WizardPrompts() = default;
    /// A plain notice, e.g. "Map saved to ...!".
    virtual void notice(const std::string& text) = 0;
    /// A Yes/No question; true means Yes.
    virtual bool ask(const std::string& question) = 0;
    /// The file name chosen in the dialog; empty means cancelled.
    virtual std::string chooseFile(WizardFile dialog) = 0;
};

}  // namespace mw
