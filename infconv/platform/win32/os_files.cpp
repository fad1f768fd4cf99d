// Files and directories on Windows. A directory is kept by its path: Win32
// has no lookups relative to an open directory.
#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "os.h"
#include "os_win32.h"
// After windows.h, which it needs.
#include <winternl.h>

namespace os {

using win32::failWith;
using win32::joinPath;
using win32::narrow;
using win32::widePath;

namespace {

// Every handle lets others read, write, rename and delete the file, as a
// POSIX descriptor does: a conversion renames its new file over one that a
// lock and a reader hold open.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE toHandle(Handle file) {
    return reinterpret_cast<HANDLE>(file);
}

// The serial number of the volume a full path lies on, asked once per drive
// or share: the volume query is slow (under Wine a round trip to the mount
// manager), and identities are asked at every open.
std::uint64_t volumeOf(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    full.resize(length ? GetFullPathNameW(path.c_str(), length, full.data(), nullptr) : 0);
    if (full.rfind(L"\\\\?\\", 0) == 0) full.erase(0, 4);
    if (full.rfind(L"UNC\\", 0) == 0) full.replace(0, 4, L"\\\\");
    // "C:\" or "\\server\share\".
    std::size_t end = full.size() >= 2 && full[1] == L':' ? 3 : 2;
    for (int parts = 0; end < full.size() && parts < 2 && full.rfind(L"\\\\", 0) == 0; ++end)
        if (full[end] == L'\\') ++parts;
    const std::wstring root = full.substr(0, std::min(end, full.size()));
    static std::mutex lock;
    static std::map<std::wstring, std::uint64_t> known;
    const std::lock_guard held(lock);
    if (const auto found = known.find(root); found != known.end()) return found->second;
    DWORD serial = 0;
    std::wstring asked = root;
    if (!asked.empty() && asked.back() != L'\\') asked += L'\\';
    GetVolumeInformationW(asked.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0);
    known.emplace(root, serial);
    return serial;
}

// What a handle to `path` leads to; false for anything but a file or
// directory on a disk (a device, a pipe; under Wine also the host's FIFOs
// and sockets), which has no basic information. Asked without GetFileType,
// GetFileInformationByHandle and FileIdInfo, which query the volume.
struct HandleInfo {
    DWORD attributes = 0;
    std::int64_t size = 0;
    FileId id;
};
bool infoOf(HANDLE file, const std::wstring& path, HandleInfo& info) {
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    FILE_INTERNAL_INFORMATION internal{};
    IO_STATUS_BLOCK status{};
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) ||
        !GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) ||
        NtQueryInformationFile(file, &status, &internal, sizeof internal, FileInternalInformation) <
            0)
        return false;
    info.attributes = basic.FileAttributes;
    info.size = standard.EndOfFile.QuadPart;
    info.id = {volumeOf(path), static_cast<std::uint64_t>(internal.IndexNumber.QuadPart)};
    return true;
}

// Devices ("NUL", "COM1") and pipes ("\\.\pipe\x") live in the device
// namespace, where the full name of a path to them leads.
bool namesDevice(const std::wstring& path) {
    if (path.rfind(L"\\\\.\\", 0) == 0) return true;
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return false;
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
    return full.rfind(L"\\\\.\\", 0) == 0;
}

// A handle that reads nothing, for asking what a name leads to.
HANDLE openForQuery(const std::wstring& path) {
    return CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Whether a name before one of the path's separators is a file, not a
// directory: POSIX reports such a path as ENOTDIR, Windows as not found. As
// on POSIX systems, the file's name must match in case ("A.inf\x" where
// a.inf is, is not found), so that the message is the same on both.
bool leadsThroughFile(const std::string& path) {
    for (std::size_t at = path.find_first_of("/\\", 1); at != std::string::npos;
         at = path.find_first_of("/\\", at + 1)) {
        const char before = path[at - 1];
        if (before == '/' || before == '\\' || before == ':') continue;
        // A wildcard names no file, and FindFirstFileW would match it.
        if (path.find_first_of("*?") < at) return false;
        const std::wstring prefix = widePath(path.substr(0, at));
        const DWORD attributes = GetFileAttributesW(prefix.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return false;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        WIN32_FIND_DATAW found{};
        const HANDLE find = FindFirstFileW(prefix.c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return false;
        FindClose(find);
        const std::size_t start = prefix.find_last_of(L"/\\") + 1;
        return prefix.compare(start, std::wstring::npos, found.cFileName) == 0;
    }
    return false;
}

struct ListingState {
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    bool pending = false;
};

}  // namespace

Dir::~Dir() = default;

Dir::Dir(Dir&& other) noexcept
    : m_handle(std::exchange(other.m_handle, kCurrent)), m_path(std::move(other.m_path)) {}

Dir& Dir::operator=(Dir&& other) noexcept {
    m_handle = std::exchange(other.m_handle, kCurrent);
    m_path = std::move(other.m_path);
    return *this;
}

Dir Dir::open(const Dir& base, const std::string& name, bool followLink) {
    Dir dir;
    dir.m_path = joinPath(base.path(), name);
    const DWORD attributes = GetFileAttributesW(widePath(dir.m_path).c_str());
    const bool directory =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool link =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    dir.m_handle = directory && (followLink || !link) ? 0 : kInvalid;
    return dir;
}

const Dir& currentDir() {
    static const Dir current;
    return current;
}

std::string currentDirectoryPath() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    if (length == 0) return {};
    std::wstring path(length, L'\0');
    path.resize(GetCurrentDirectoryW(length, path.data()));
    return narrow(path);
}

Status statusAt(const Dir& dir, const std::string& name, bool followLink) {
    Status status;
    if (name.empty()) return status;  // names nothing, as on POSIX systems
    const std::wstring path = widePath(joinPath(dir.path(), name));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        if (namesDevice(path)) status.kind = Status::Kind::Other;
        return status;
    }
    DWORD attributes = data.dwFileAttributes;
    status.size = static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    if (followLink) {
        const HANDLE file = openForQuery(path);
        HandleInfo info;
        if (file == INVALID_HANDLE_VALUE) return status;  // a link to nothing
        const bool known = infoOf(file, path, info);
        CloseHandle(file);
        if (!known) {
            status.kind = Status::Kind::Other;
            return status;
        }
        attributes = info.attributes;
        status.size = info.size;
        status.id = info.id;
    }
    const bool directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    status.kind = directory                                      ? Status::Kind::Directory
                  : link || (attributes & FILE_ATTRIBUTE_DEVICE) ? Status::Kind::Other
                                                                 : Status::Kind::Regular;
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
    const std::size_t slash = name.find_last_of("/\\");
    const bool dotName = name[slash == std::string::npos ? 0 : slash + 1] == '.';
    status.plainDirectory = directory && (attributes & kNotPlain) == 0 && !dotName;
    return status;
}

bool maySearch(const Dir& dir, const std::string& name) {
    return statusAt(dir, name, true).kind == Status::Kind::Directory;
}

Listing::Listing(const Dir& dir) {
    auto state = std::make_unique<ListingState>();
    const std::wstring pattern = widePath(joinPath(dir.path().empty() ? "." : dir.path(), "*"));
    state->find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &state->data,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (state->find == INVALID_HANDLE_VALUE) return;
    state->pending = true;
    m_state = state.release();
}

Listing::~Listing() {
    auto* state = static_cast<ListingState*>(m_state);
    if (!state) return;
    FindClose(state->find);
    delete state;
}

std::optional<std::string> Listing::next() {
    auto* state = static_cast<ListingState*>(m_state);
    if (!state) return std::nullopt;
    for (;;) {
        if (!state->pending && !FindNextFileW(state->find, &state->data)) return std::nullopt;
        state->pending = false;
        const std::wstring name = state->data.cFileName;
        if (name != L"." && name != L"..") return narrow(name);
    }
}

Opened openRegular(const Dir& dir, const std::string& name, int flags, Handle& handle, FileId* id) {
    handle = kNoHandle;
    // An empty name names nothing (not the directory itself), as on POSIX systems.
    if (name.empty()) {
        errno = ENOENT;
        return Opened::Failed;
    }
    const std::string joined = joinPath(dir.path(), name);
    const std::wstring path = widePath(joined);
    // Devices, pipes and directories are refused before anything opens them.
    if (namesDevice(path)) return Opened::NotRegular;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Opened::NotRegular;
    DWORD access = (flags & kReadWrite)   ? GENERIC_READ | GENERIC_WRITE
                   : (flags & kWriteOnly) ? GENERIC_WRITE
                                          : GENERIC_READ;
    // Appending writes every piece at the end, whoever else writes there.
    if (flags & kAppend) access = (access & GENERIC_READ) | FILE_APPEND_DATA | SYNCHRONIZE;
    const DWORD disposition = (flags & kCreate) && (flags & kExclusive)  ? CREATE_NEW
                              : (flags & kCreate) && (flags & kTruncate) ? CREATE_ALWAYS
                              : (flags & kCreate)                        ? OPEN_ALWAYS
                              : (flags & kTruncate)                      ? TRUNCATE_EXISTING
                                                                         : OPEN_EXISTING;
    const HANDLE file = CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A directory opened without backup semantics is denied.
        const DWORD now = GetFileAttributesW(path.c_str());
        if (now != INVALID_FILE_ATTRIBUTES && (now & FILE_ATTRIBUTE_DIRECTORY))
            return Opened::NotRegular;
        failWith(error);
        if (errno == ENOENT && leadsThroughFile(joined)) errno = ENOTDIR;
        return Opened::Failed;
    }
    HandleInfo info;
    if (!infoOf(file, path, info) || (info.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(file);
        return Opened::NotRegular;
    }
    if (id) *id = info.id;
    handle = reinterpret_cast<Handle>(file);
    return Opened::Yes;
}

Handle createNew(const std::string& path) {
    const HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failWith();
        return kNoHandle;
    }
    return reinterpret_cast<Handle>(file);
}

namespace {

// ReadFile and WriteFile take at most 4 GB less one byte a call.
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

}  // namespace

std::int64_t read(Handle file, void* destination, std::size_t n) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(n < kLargestTransfer ? n : kLargestTransfer);
    if (ReadFile(toHandle(file), destination, want, &got, nullptr)) return got;
    const DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) return 0;
    return failWith(error);
}

std::int64_t write(Handle file, const void* source, std::size_t n) {
    DWORD put = 0;
    const auto want = static_cast<DWORD>(n < kLargestTransfer ? n : kLargestTransfer);
    if (WriteFile(toHandle(file), source, want, &put, nullptr)) return put;
    return failWith();
}

std::int64_t seek(Handle file, std::int64_t offset, Origin origin) {
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER position{};
    const DWORD method = origin == Origin::Start     ? FILE_BEGIN
                         : origin == Origin::Current ? FILE_CURRENT
                                                     : FILE_END;
    if (!SetFilePointerEx(toHandle(file), distance, &position, method)) return failWith();
    return position.QuadPart;
}

std::int64_t size(Handle file) {
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(toHandle(file), &length)) return failWith();
    return length.QuadPart;
}

int close(Handle file) {
    return CloseHandle(toHandle(file)) ? 0 : failWith();
}

int syncData(Handle file) {
    return FlushFileBuffers(toHandle(file)) ? 0 : failWith();
}

FileLock::~FileLock() {
    unlock();
}

// Windows renames nothing over a file that is open anywhere, so neither
// this process nor one waiting for the lock may keep the file open: the
// lock is a byte of one lock file per user, at a place given by the file's
// identity, and the file is closed once locked.
int FileLock::lock(Handle file, const FileId& id, bool wait) {
    unlock();
    CloseHandle(toHandle(file));
    const std::string folder = userStateDirectory() + "\\infconv";
    makeDirectories(folder);
    const HANDLE locks =
        CreateFileW(widePath(folder + "\\convert.lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                    kShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (locks == INVALID_HANDLE_VALUE) return failWith();
    // Below 2 GB: Wine keeps no apart locks at places beyond what its POSIX
    // locks reach, and two files at one place only wait for each other.
    const std::uint64_t place = (id.device * 0x9E3779B97F4A7C15u ^ id.index) % 0x7FFFFFFFu;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(place);
    at.OffsetHigh = static_cast<DWORD>(place >> 32);
    const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    if (!LockFileEx(locks, flags, 0, 1, 0, &at)) {
        const DWORD error = GetLastError();
        CloseHandle(locks);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) {
            errno = EWOULDBLOCK;
            return -1;
        }
        return failWith(error);
    }
    m_lock = reinterpret_cast<Handle>(locks);
    return 0;
}

void FileLock::unlock() {
    if (m_lock != kNoHandle) CloseHandle(toHandle(m_lock));
    m_lock = kNoHandle;
}

int link(const std::string& from, const std::string& to) {
    return CreateHardLinkW(widePath(to).c_str(), widePath(from).c_str(), nullptr) ? 0 : failWith();
}

bool linkUnsupported(int errorNumber) {
    return errorNumber == ENOSYS || errorNumber == EXDEV || errorNumber == EMLINK ||
           errorNumber == EPERM;
}

int rename(const std::string& from, const std::string& to) {
    // Written through: the rename is on the disk before the call returns.
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    const std::wstring source = widePath(from);
    const std::wstring target = widePath(to);
    // A file open elsewhere for a moment (another conversion asking which
    // file the name holds, a virus scanner) cannot be replaced: try again
    // for a while before giving up.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(), flags)) return 0;
        const DWORD error = GetLastError();
        const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                          error == ERROR_LOCK_VIOLATION;
        if (!busy || attempt == 200) return failWith(error);
        Sleep(10);
    }
}

int remove(const std::string& path) {
    return DeleteFileW(widePath(path).c_str()) ? 0 : failWith();
}

int makeDirectories(const std::string& path) {
    // The drive ("C:") and a leading separator are no directory to make.
    std::size_t at = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    while (at < path.size() && (path[at] == '\\' || path[at] == '/')) ++at;
    for (; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '\\' && path[at] != '/') continue;
        if (!CreateDirectoryW(widePath(path.substr(0, at)).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return failWith();
    }
    return 0;
}

}  // namespace os
