// The model's files on Windows: the C runtime's descriptors in binary mode,
// opened by wide names; renames, locks and syncs by the Win32 calls.
#include "platform/system_files.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <random>

#include "platform/win32/wide_text.h"

namespace mw::platform {

namespace {

int failWith(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
            errno = ENOENT;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            errno = EACCES;
            break;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            errno = EEXIST;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            errno = ENOSPC;
            break;
        case ERROR_NOT_SAME_DEVICE:
            errno = EXDEV;
            break;
        default:
            errno = EIO;
    }
    return -1;
}

HANDLE systemHandle(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// Every descriptor lets others read, write, rename and delete the file, as a
// POSIX descriptor does, so that a save may replace a file a reader holds.
int openShared(const std::string& path, DWORD access, DWORD disposition) {
    const HANDLE file = CreateFileW(widen(path).c_str(), access,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return failWith(GetLastError());
    const int flags = _O_BINARY | (access & GENERIC_WRITE ? 0 : _O_RDONLY);
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), flags);
    if (fd < 0) CloseHandle(file);
    return fd;
}

}  // namespace

FileKind kindAt(const std::string& path, bool followLink, std::int64_t* size) {
    const std::wstring wide = widen(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (wide.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
        // Devices ("NUL", "COM1") have no attributes, but are there.
        const DWORD error = GetLastError();
        const HANDLE device = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (!wide.empty() && device != INVALID_HANDLE_VALUE) {
            CloseHandle(device);
            return FileKind::Other;
        }
        failWith(error);
        return FileKind::Missing;
    }
    if (size) *size = static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    const DWORD attributes = data.dwFileAttributes;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return FileKind::Other;
    // A link's own kind is none of a regular file's; what it leads to is asked of its target.
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        if (!followLink) return FileKind::Other;
        const HANDLE file =
            CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return FileKind::Missing;
        BY_HANDLE_FILE_INFORMATION info{};
        const bool regular = GetFileType(file) == FILE_TYPE_DISK &&
                             GetFileInformationByHandle(file, &info) &&
                             !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        CloseHandle(file);
        return regular ? FileKind::Regular : FileKind::Other;
    }
    return FileKind::Regular;
}

int openForReading(const std::string& path) {
    // A pipe or device is refused before it is opened: opening may touch it.
    if (kindAt(path, true) == FileKind::Other) {
        errno = ENODEV;
        return -1;
    }
    return openShared(path, GENERIC_READ, OPEN_EXISTING);
}

bool isRegularFile(int fd) {
    const HANDLE file = systemHandle(fd);
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

int createNew(const std::string& path) {
    return openShared(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
}

int createTemporary(std::string& templ) {
    static std::mt19937_64 random(std::random_device{}() ^ GetTickCount64() ^
                                  GetCurrentProcessId());
    static std::mutex lock;
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    if (templ.size() < 6 || templ.compare(templ.size() - 6, 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return -1;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        {
            const std::lock_guard held(lock);
            for (std::size_t i = templ.size() - 6; i < templ.size(); ++i)
                templ[i] = kLetters[random() % 62];
        }
        const int fd = createNew(templ);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

int openLockFile(const std::string& path) {
    if (kindAt(path, false) == FileKind::Other) {
        errno = ELOOP;
        return -1;
    }
    return openShared(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
}

bool lockExclusive(int fd) {
    OVERLAPPED at{};
    return LockFileEx(systemHandle(fd), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                      0, &at) != 0;
}

std::int64_t read(int fd, void* destination, std::size_t n) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(n < (1u << 30) ? n : (1u << 30));
    if (ReadFile(systemHandle(fd), destination, want, &got, nullptr)) return got;
    const DWORD error = GetLastError();
    return error == ERROR_HANDLE_EOF ? 0 : failWith(error);
}

std::int64_t write(int fd, const void* source, std::size_t n) {
    DWORD put = 0;
    const auto want = static_cast<DWORD>(n < (1u << 30) ? n : (1u << 30));
    if (WriteFile(systemHandle(fd), source, want, &put, nullptr)) return put;
    return failWith(GetLastError());
}

int sync(int fd) {
    return FlushFileBuffers(systemHandle(fd)) ? 0 : failWith(GetLastError());
}

int close(int fd) {
    return ::_close(fd);
}

void takeOverAccess(int, const std::string&) {
    // A new file inherits the folder's access rules, as the old one did.
}

int replace(const std::string& from, const std::string& to) {
    // Written through: the rename is on the disk before the call returns.
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    const std::wstring source = widen(from);
    const std::wstring target = widen(to);
    // A file open elsewhere for a moment (a virus scanner, the indexer)
    // cannot be replaced: try again for a while before giving up.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(), flags)) return 0;
        const DWORD error = GetLastError();
        const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                          error == ERROR_LOCK_VIOLATION;
        if (!busy || attempt == 100) return failWith(error);
        Sleep(10);
    }
}

int remove(const std::string& path) {
    return DeleteFileW(widen(path).c_str()) ? 0 : failWith(GetLastError());
}

void syncFolder(const std::string&) {
    // MOVEFILE_WRITE_THROUGH put the rename on the disk already.
}

std::string homeFolder() {
    const wchar_t* profile = _wgetenv(L"USERPROFILE");
    return profile ? narrow(profile) : std::string();
}

ApplicationFolders applicationFolders() {
    const auto variable = [](const wchar_t* name) {
        const wchar_t* value = _wgetenv(name);
        return value && *value ? narrow(value) : std::string();
    };
    ApplicationFolders folders{variable(L"APPDATA"), variable(L"LOCALAPPDATA")};
    const std::string profile = homeFolder();
    if (!profile.empty()) {
        if (folders.data.empty()) folders.data = profile + "\\AppData\\Roaming";
        if (folders.state.empty()) folders.state = profile + "\\AppData\\Local";
    }
    return folders;
}

namespace {

void (*interruptCleanup)() = nullptr;
// Holds in force, and whether an interruption is being handled. Windows runs
// a console handler on a thread of its own, so a hold makes it wait.
std::atomic<int> holds{0};
std::atomic<bool> interrupted{false};

BOOL WINAPI onConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    interrupted = true;
    while (holds.load() > 0) Sleep(1);
    if (interruptCleanup) interruptCleanup();
    // The next handler, the system's, ends the process.
    return FALSE;
}

}  // namespace

void onInterrupt(void (*cleanup)()) {
    static std::once_flag once;
    std::call_once(once, [cleanup] {
        interruptCleanup = cleanup;
        SetConsoleCtrlHandler(onConsoleEvent, TRUE);
    });
}

void removeNow(const char* path) {
    DeleteFileW(widen(path).c_str());
}

InterruptHold::InterruptHold() : previous_{} {
    for (;;) {
        ++holds;
        if (!interrupted) return;
        // The process is ending: nothing more may start.
        --holds;
        Sleep(INFINITE);
    }
}

InterruptHold::~InterruptHold() {
    --holds;
}

}  // namespace mw::platform
