#pragma once
// What the model asks of the operating system for its files: one small
// interface, one implementation per system (posix/, win32/); nothing above it
// depends on which. Names are UTF-8 (on Windows they become wide strings only
// at the system calls). Files are the C runtime's descriptors, on Windows in
// binary mode. Calls that fail return -1 with errno set, as the C library
// does, so every message is worded the same way on every system.

#include <cstddef>
#include <cstdint>
#include <string>

namespace mw::platform {

enum class FileKind { Missing, Regular, Other };
/// What is at the name; with `followLink`, what a symbolic link leads to.
/// Missing also when the name cannot be looked at (errno says why).
FileKind kindAt(const std::string& path, bool followLink, std::int64_t* size = nullptr);

/// Opens a file for reading without waiting for a FIFO's writer. On Windows
/// a directory, device or pipe is refused before it is opened (ENODEV).
int openForReading(const std::string& path);
/// Whether the open file is a regular file; when it is, reads wait as usual.
bool isRegularFile(int fd);
/// A new file (0666 less the umask on POSIX systems); EEXIST when the name
/// is taken, which is never touched.
int createNew(const std::string& path);
/// A new private file named after the template, whose last six characters
/// (XXXXXX) are replaced.
int createTemporary(std::string& templ);
/// The file opened for reading and writing, created private when missing, a
/// symbolic link at the name not followed: for lock files.
int openLockFile(const std::string& path);
/// An exclusive lock on the open file that no other process may take
/// meanwhile, released when the file is closed or the process ends; false
/// when another holds it.
bool lockExclusive(int fd);

/// Each returns -1 on failure; read returns 0 at the end of the file.
std::int64_t read(int fd, void* destination, std::size_t n);
std::int64_t write(int fd, const void* source, std::size_t n);
/// Puts the file's content on the disk.
int sync(int fd);
int close(int fd);

/// The new file `fd` takes over what the existing file `target` allows its
/// users (permission bits and, where the process may give it, its group); a
/// new file's are the usual ones for new files.
void takeOverAccess(int fd, const std::string& target);
/// Gives `from` the name `to`, replacing what is there (a link is replaced,
/// not followed) in one step: `to` names the old or the new file.
int replace(const std::string& from, const std::string& to);
int remove(const std::string& path);
/// Puts the folder's entries on the disk where the system lets a program
/// ask for that (a rename in it then outlasts a power cut).
void syncFolder(const std::string& folder);

/// The user's home folder: $HOME, else the password database's; on Windows
/// %USERPROFILE%. Empty when none is known.
std::string homeFolder();

/// Where the system keeps a user's program data (settings, the data folder)
/// and state (what outlives a crash), when the XDG base-directory variables
/// do not say. Empty on POSIX systems, whose rule is the home folder's
/// .local/share and .local/state; on Windows %APPDATA% and %LOCALAPPDATA%,
/// else the profile's AppData\Roaming and AppData\Local.
struct ApplicationFolders {
    std::string data;
    std::string state;
};
ApplicationFolders applicationFolders();

/// Installs, once, `cleanup` to run when the user interrupts the process
/// (SIGINT, SIGTERM and SIGHUP; on Windows Ctrl+C, Ctrl+Break and the console
/// closing), after which the process ends as it would have. Interruptions
/// the program took over itself (an ignored signal, a handler of its own)
/// are left alone. On POSIX systems it runs in a signal handler: it may only
/// call removeNow() and read lock-free state.
void onInterrupt(void (*cleanup)());
/// Removes the file now; safe in `cleanup`.
void removeNow(const char* path);

/// Holds interruptions back while it lives (for the calling thread on POSIX
/// systems, the whole process on Windows): one that comes meanwhile takes
/// effect when the hold ends.
class InterruptHold {
  public:
    InterruptHold();
    ~InterruptHold();
    InterruptHold(const InterruptHold&) = delete;
    InterruptHold& operator=(const InterruptHold&) = delete;

  private:
    alignas(8) unsigned char previous_[128];
};

}  // namespace mw::platform
