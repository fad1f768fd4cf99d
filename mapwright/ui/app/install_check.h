#pragma once
// mapwright --check-install: starts the editor as a desktop start would, shows
// nothing, and says where it found each shipped file, which folder it works
// in, how many names that folder's main.ond holds, and whether the desktop
// knows the editor's file types. For packagers and the install test.

namespace mw::ui {

/// The command line option that asks for the check.
inline constexpr const char* kCheckInstallOption = "--check-install";

/// Exit status 0 when every shipped file was found and read and the working
/// folder has names, 1 otherwise.
int checkInstallation(int argc, char** argv);

}  // namespace mw::ui
