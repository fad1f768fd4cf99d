#pragma once
// The folder the editor works in: main.ond and the planet name lists are
// there. It is the current directory, except when the editor was started from
// the desktop's menu: then the current directory is "/" or the home folder,
// neither holding a main.ond, and the editor works in the per-user data
// folder $XDG_DATA_HOME/mapwright (~/.local/share/mapwright by default),
// which gets a copy of the shipped main.ond on first use.
//
// The current directory itself is left alone, so file names given on the
// command line and the file dialogs' first folder keep their usual meaning.

#include <filesystem>
#include <optional>
#include <string>

namespace mw {

/// The user's folders that decide where a desktop start works.
struct UserFolders {
    std::filesystem::path home;       // empty when unknown
    std::filesystem::path dataHome;   // $XDG_DATA_HOME, else home/.local/share; empty when unknown
    std::filesystem::path stateHome;  // $XDG_STATE_HOME, else home/.local/state; empty when unknown
};

/// From the values of HOME, XDG_DATA_HOME and XDG_STATE_HOME (null when
/// unset). A relative or empty XDG_* value is ignored, as the base-directory
/// rules ask.
UserFolders UserFoldersFrom(const char* home, const char* xdgDataHome,
                            const char* xdgStateHome = nullptr);
/// The process's environment; the password database when HOME is unset. On
/// Windows, without XDG_* values, the application data folders: the data
/// folder under %APPDATA%, the state folder under %LOCALAPPDATA%.
UserFolders UserFoldersOfProcess();

/// Where the editor keeps what must outlive a crash (the recovery file):
/// stateHome/mapwright; empty when no home folder is known.
std::filesystem::path StateFolder(const UserFolders& user);

/// The editor was started from the desktop's menu, not from a folder the
/// user chose: the current directory is "/" or the home folder, and it holds
/// no main.ond.
bool IsDesktopStart(const std::filesystem::path& current, const std::filesystem::path& home);

struct WorkingFolder {
    std::filesystem::path folder;
    bool desktopStart = false;
    /// Why the data folder could not be prepared as it should; empty when it was.
    std::string problem;
};

/// Chooses the working folder for an editor started in `current`. For a
/// desktop start the data folder is created when missing and gets a copy of
/// shippedNameDatabase whenever it has no main.ond or an empty one (an empty
/// one is what the editor leaves when it found none). When the data folder
/// cannot be made, the editor works in `current` and `problem` says why.
WorkingFolder ChooseWorkingFolder(const std::filesystem::path& current, const UserFolders& user,
                                  const std::optional<std::filesystem::path>& shippedNameDatabase);

/// The status bar's line: "Working folder: <path>", and what went wrong.
std::string WorkingFolderStatus(const WorkingFolder& working);

}  // namespace mw
