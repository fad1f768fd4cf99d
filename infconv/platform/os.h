// The operating system as the converter uses it: files and directories,
// locks, interruptions, the process and memory. There is one implementation
// per system (posix/, win32/); nothing above this header depends on which.
//
// Names are UTF-8 (on Windows they become wide strings only at the system
// calls; a name that is no valid UTF-8 is taken in the ANSI code page, as
// the game writes names). Calls that fail return -1 (or kNoHandle, false)
// with errno set to what went wrong, as the C library does, so that every
// message is worded the same way on every system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace os {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Whether the name starts at a root ("/x"; on Windows also "C:\x", "\x", "\\server\x").
bool isAbsolutePath(const std::string& name);

// ---------------------------------------------------------------- directories

// A directory that names are looked up in. Lookups never change the
// process's current directory, so loads may run on several threads at once.
class Dir {
  public:
    // The current directory.
    Dir() = default;
    ~Dir();
    Dir(Dir&& other) noexcept;
    Dir& operator=(Dir&& other) noexcept;
    Dir(const Dir&) = delete;
    Dir& operator=(const Dir&) = delete;

    // The directory `name` (relative to `base`, or absolute); check valid().
    // Without `followLink`, a symbolic link at the name is not opened.
    static Dir open(const Dir& base, const std::string& name, bool followLink);
    bool valid() const { return m_handle != kInvalid; }

    // For the implementation: a descriptor (POSIX) or the directory's path
    // ("" for the current directory; Windows).
    std::intptr_t handle() const { return m_handle; }
    const std::string& path() const { return m_path; }

  private:
    static constexpr std::intptr_t kCurrent = -100;
    static constexpr std::intptr_t kInvalid = -1;
    std::intptr_t m_handle = kCurrent;
    std::string m_path;
};

// The current directory.
const Dir& currentDir();
// The current directory's full name as the system reports it; empty when
// that fails.
std::string currentDirectoryPath();

// Which file a name or handle reaches: equal for two names of one file.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    bool operator==(const FileId&) const = default;
};

struct Status {
    enum class Kind { Missing, Regular, Directory, Other };
    Kind kind = Kind::Missing;
    std::int64_t size = 0;
    // A directory that is only that: not read-only (its owner may write to
    // it), not hidden (a dot name, or so marked), not a link, not the system's.
    bool plainDirectory = false;
    // The file reached (zero without `followLink`).
    FileId id;
};
// What the name is; with `followLink`, what a symbolic link leads to.
Status statusAt(const Dir& dir, const std::string& name, bool followLink);
inline Status status(const std::string& path) {
    return statusAt(currentDir(), path, true);
}
// Whether the directory may be searched, as a change into it would allow.
bool maySearch(const Dir& dir, const std::string& name);

// The names of a directory's entries in the system's order, "." and ".."
// left out.
class Listing {
  public:
    explicit Listing(const Dir& dir);
    ~Listing();
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;

    // Nothing at the end, or when the listing fails.
    std::optional<std::string> next();

  private:
    void* m_state = nullptr;
};

// -------------------------------------------------------------------- files

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// Flags of openRegular, combined with |.
inline constexpr int kReadOnly = 0;
inline constexpr int kWriteOnly = 1;
inline constexpr int kReadWrite = 2;
inline constexpr int kCreate = 4;
inline constexpr int kTruncate = 8;
inline constexpr int kExclusive = 16;
inline constexpr int kAppend = 32;

enum class Opened { Yes, NotRegular, Failed };
// Opens a regular file. A directory, FIFO, pipe, socket or device (also
// behind a link) is refused without blocking and without being touched;
// Failed leaves the reason in errno. Files created are readable and
// writable for everyone the system's defaults allow.
Opened openRegular(const Dir& dir, const std::string& name, int flags, Handle& handle,
                   FileId* id = nullptr);
// A new file at `path`, open for reading and writing; kNoHandle and EEXIST
// when the name is taken.
Handle createNew(const std::string& path);

// Each returns -1 on failure; read returns 0 at the end of the file.
std::int64_t read(Handle file, void* destination, std::size_t n);
std::int64_t write(Handle file, const void* source, std::size_t n);
enum class Origin { Start, Current, End };
std::int64_t seek(Handle file, std::int64_t offset, Origin origin);
std::int64_t size(Handle file);
int close(Handle file);
// Puts the file's content on the disk.
int syncData(Handle file);

// An exclusive lock that keeps other conversions of one file out. It is
// released by unlock(), on destruction, and by the system when the process
// ends in any way. It never stands in the way of reading, writing or
// renaming the file.
class FileLock {
  public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locks the file open as `file`, which is `id`. Without `wait`, a lock
    // held by another (another process, or another FileLock of this one)
    // fails at once with EWOULDBLOCK. The lock takes `file` over, and closes
    // it when it fails.
    int lock(Handle file, const FileId& id, bool wait);
    void unlock();
    bool locked() const { return m_lock != kNoHandle; }
    // The locked file, open for reading at its start, when the lock keeps
    // it open (POSIX, where the lock lives in it); kNoHandle otherwise
    // (Windows, where no file that a rename replaces may be open).
    Handle file() const { return m_file; }

  private:
    Handle m_lock = kNoHandle;
    Handle m_file = kNoHandle;
};

// A second name `to` (which must not exist) for the file `from`; where the
// file system has no hard links, errno is one for which
// linkUnsupported() is true.
int link(const std::string& from, const std::string& to);
bool linkUnsupported(int errorNumber);
// Gives `from` the name `to`, replacing what is there (a link is replaced,
// not followed) in one step: `to` names the old or the new file, never a
// partial one, also when the machine stops.
int rename(const std::string& from, const std::string& to);
int remove(const std::string& path);
// The directory and every missing one above it.
int makeDirectories(const std::string& path);

// ------------------------------------------------------------ interruptions

// Installs, once, `cleanup` to run when the user interrupts the process
// (Ctrl+C; on POSIX also SIGTERM and SIGHUP, on Windows Ctrl+Break and the
// console closing), after which the process ends as it would have. On POSIX
// it runs in a signal handler: it may only call removeNow and read
// lock-free state. Interruptions already taken over by the program (an
// ignored signal, a handler of its own) are left alone.
void onInterrupt(void (*cleanup)());
// Removes the file now; safe in `cleanup`.
void removeNow(const char* path);

// Holds interruptions back while it lives, for the calling thread (POSIX)
// or the whole process (Windows): one that comes meanwhile takes effect when
// the last hold ends. Threads started under a hold never take interruptions.
class InterruptHold {
  public:
    InterruptHold();
    ~InterruptHold();
    InterruptHold(const InterruptHold&) = delete;
    InterruptHold& operator=(const InterruptHold&) = delete;

  private:
    alignas(8) unsigned char m_previous[128];
};

// ----------------------------------------------------------------- process

std::uint64_t processId();
// The processors the process may run on (at least 1).
unsigned processorCount();
// The environment variable's value (UTF-8); nothing when unset or empty.
std::optional<std::string> environment(const char* name);
// The folder a program keeps its per-user state under: $XDG_STATE_HOME or
// ~/.local/state; on Windows %LOCALAPPDATA%.
std::string userStateDirectory();
// The command line's arguments as UTF-8, the program's name first.
std::vector<std::string> arguments(int argc, char** argv);
// Lets the console show UTF-8 output (Windows); restored when the process ends.
void useUtf8Console();
bool inputIsTerminal();
bool debuggerAttached();
void breakIntoDebugger();
// The file version in the running program's version resource, if it has one.
std::optional<std::string> programFileVersion();

// ------------------------------------------------------------------ memory

// Whole pages of fresh memory at an address aligned to `alignment` (a power
// of two) where the system finds room for that, in huge pages where it gives
// them on request; nullptr when there is not enough.
void* allocatePages(std::size_t bytes, std::size_t alignment);
void freePages(void* pages, std::size_t bytes);

}  // namespace os
