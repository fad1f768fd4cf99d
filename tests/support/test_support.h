#pragma once
// What every test folder needs: a scratch folder removed at the end, whole
// files read and written without the code under test, and the built programs
// run as child processes. Shared by the tests of both programs; the programs
// themselves share nothing.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vk_test {

/// A fresh folder under the system's temporary folder, removed with everything
/// in it (read-only parts included) when the object ends.
class ScratchDir {
  public:
    explicit ScratchDir(const std::string& prefix = "vk-test");
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& root() const { return root_; }
    /// The path of a name inside the folder.
    std::string path(const std::string& relative) const;
    /// Writes the bytes as the whole file (folders created); returns its path.
    std::string write(const std::string& relative, const std::string& bytes) const;
    /// The whole file, empty when it cannot be read.
    std::string read(const std::string& relative) const;
    bool exists(const std::string& relative) const;

  private:
    std::filesystem::path root_;
};

/// The whole file; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);
/// Replaces the file with the bytes (folders created).
void writeFile(const std::filesystem::path& path, const std::string& bytes);

struct RunResult {
    int status = -1;  // exit status; -1 when the program did not end normally
    std::string out;
    std::string err;
};

/// A program started and not yet waited for; its output goes to two files.
struct StartedProgram {
    pid_t pid = -1;
    std::string outFile;
    std::string errFile;
};

/// Starts the program with the arguments (no shell) in the working folder,
/// with standard input from /dev/null and the extra environment variables
/// set; `inChild` runs in the child just before the program replaces it. The
/// output files go to `outputFolder` (default: the temporary folder); give a
/// scratch folder when the program may be reaped without finishProgram.
StartedProgram startProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::filesystem::path& workingFolder = {},
                            const std::map<std::string, std::string>& environment = {},
                            const std::function<void()>& inChild = {},
                            const std::filesystem::path& outputFolder = {});

/// Waits for a started program, at most `timeoutSeconds`: one that takes
/// longer is killed and reported with status -1 and "timed out" before its
/// standard error. A program ended by a signal has status -1.
RunResult finishProgram(const StartedProgram& started, double timeoutSeconds = 60);

/// startProgram, then finishProgram.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::filesystem::path& workingFolder = {},
                     const std::map<std::string, std::string>& environment = {},
                     double timeoutSeconds = 60);

}  // namespace vk_test
