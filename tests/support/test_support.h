#pragma once
// What every test folder needs: a scratch folder removed at the end, whole
// files read and written without the code under test, and the built programs
// run as child processes. Shared by the tests of both programs; the programs
// themselves share nothing. Names given as std::string are UTF-8 on every
// system.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vk_test {

#ifdef _WIN32
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

/// The path of a UTF-8 name, and a path as UTF-8 (a narrow string is not
/// UTF-8 to std::filesystem on Windows).
std::filesystem::path utf8Path(const std::string& name);
std::string utf8(const std::filesystem::path& path);

/// A fresh folder under the system's temporary folder, removed with everything
/// in it (read-only parts included) when the object ends.
class ScratchDir {
  public:
    explicit ScratchDir(const std::string& prefix = "vk-test");
    /// The folder under `base` when one can be made there (a memory file
    /// system, say), else under the temporary folder.
    ScratchDir(const std::string& prefix, const std::filesystem::path& base);
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

/// Sets a variable of this process's environment.
void setEnvironment(const std::string& name, const std::string& value);
/// Makes a FIFO; false where the system has none in its file system (Windows).
bool makeFifo(const std::filesystem::path& path);
/// Whether symbolic links can be made here (not under Wine, nor for a
/// Windows user without the right to).
bool canMakeSymlinks(const std::filesystem::path& folder);
/// Takes the owner's right to write away; false where it stays (Wine keeps
/// no read-only folders).
bool makeReadOnly(const std::filesystem::path& path);

/// A folder on a small file system of its own (a 1 MB tmpfs), so that a test
/// can fill it. Mounting needs root on Linux; Windows has no such thing.
class SmallDisk {
  public:
    explicit SmallDisk(const std::filesystem::path& at);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    /// Why it is not mounted.
    const std::string& why() const { return why_; }
    /// Writes the file until the file system is full.
    void fill(const std::filesystem::path& file) const;

  private:
    std::filesystem::path at_;
    bool mounted_ = false;
    std::string why_;
};

struct RunResult {
    int status = -1;  // exit status; -1 when the program did not end normally
    std::string out;  // standard output and error, with Windows' "\r\n" read as "\n"
    std::string err;
};

/// A program started and not yet waited for; its output goes to two files.
struct StartedProgram {
    std::intptr_t process = -1;  // the process id (POSIX) or handle (Windows)
    std::string outFile;
    std::string errFile;
};

/// Whether a test can limit the memory of a program it starts: POSIX
/// systems limit the address space, with limitMemory in `inChild`.
bool canLimitMemory();
void limitMemory(std::size_t bytes);

/// The name of the device that reads as empty ("/dev/null", "NUL").
const char* nullDevice();

/// Starts the program with the arguments (no shell) in the working folder,
/// with standard input from the null device and the extra environment
/// variables set; `inChild` runs in the child just before the program
/// replaces it (POSIX only; ignored on Windows). The output files go to
/// `outputFolder` (default: the temporary folder); give a scratch folder
/// when the program may be reaped without finishProgram.
StartedProgram startProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::filesystem::path& workingFolder = {},
                            const std::map<std::string, std::string>& environment = {},
                            const std::function<void()>& inChild = {},
                            const std::filesystem::path& outputFolder = {});

/// Waits for a started program, at most `timeoutSeconds`: one that takes
/// longer is killed and reported with status -1 and "timed out" before its
/// standard error. A program ended by a signal (or, on Windows, killed or
/// crashed) has status -1.
RunResult finishProgram(const StartedProgram& started, double timeoutSeconds = 60);

/// Whether the program has ended, without waiting (finishProgram collects it).
bool hasEnded(const StartedProgram& started);

/// How a test stops a program: killed (SIGKILL, TerminateProcess), or
/// interrupted as by Ctrl+C (SIGINT) or asked to end (SIGTERM).
enum class Stop { Kill, Interrupt, Terminate };
/// Whether this system lets a test stop one program that way: Windows sends
/// console events to a whole console, not to one program.
bool canStop(Stop how);
void stopProgram(const StartedProgram& started, Stop how);

/// startProgram, then finishProgram.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::filesystem::path& workingFolder = {},
                     const std::map<std::string, std::string>& environment = {},
                     double timeoutSeconds = 60);

}  // namespace vk_test
