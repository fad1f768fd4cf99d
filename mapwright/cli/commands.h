#pragma once
// The headless commands of the mapwright executable. Each takes the arguments
// after its own name and returns the process exit status.

#include <optional>
#include <string>
#include <vector>

namespace mw::cli {

using Args = std::vector<std::string>;

int runShow(const Args& args);      // mapwright show FILE.sdf
int runNames(const Args& args);     // mapwright names FILE.ond [--systems|--planets] [--style X]
int runGenerate(const Args& args);  // mapwright generate PROJECT.vmpf OUTPUT.txt [--seed N]
int runCheck(const Args& args);     // mapwright check PROJECT.vmpf [--json] [--picture OUT]

/// The file the editor is to open when the command line is one file name
/// rather than a command: a name ending in ".sdf" or ".vmpf" (any case), or
/// an existing file; never a command's name or an option.
std::optional<std::string> fileForEditor(int argc, const char* const* argv);
/// Whether the command line asks for a headless command rather than the
/// editor (fileForEditor is asked first).
bool isHeadless(int argc);
/// What a build without the editor says when the command line asks for it.
const char* noEditorMessage();
/// Runs the headless command named by argv[1] (isHeadless must hold).
int runCommand(int argc, char** argv);

}  // namespace mw::cli
