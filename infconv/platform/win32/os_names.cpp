// Names and error codes between the converter and the wide Win32 calls.
#include <cerrno>

#include "os.h"
#include "os_win32.h"

namespace os {

namespace win32 {

std::wstring widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    UINT codePage = CP_UTF8;
    int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length == 0) {
        codePage = CP_ACP;
        length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0, text.data(), size,
                        wide.data(), length);
    return wide;
}

std::string narrow(const wchar_t* text, std::size_t length) {
    if (length == 0) return {};
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, size, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::wstring widePath(const std::string& path) {
    std::wstring wide = widen(path);
    constexpr std::size_t kShortEnough = MAX_PATH - 12;  // room for an 8.3 name
    if (wide.size() < kShortEnough || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return wide;
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), length, full.data(), nullptr));
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty() || isAbsolutePath(name)) return name;
    if (name == ".") return directory;
    const char last = directory.back();
    return last == '\\' || last == '/' ? directory + name : directory + '\\' + name;
}

int failWith(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_NAME:
            errno = ENOENT;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_CURRENT_DIRECTORY:
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
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            errno = ENOMEM;
            break;
        case ERROR_FILENAME_EXCED_RANGE:
            errno = ENAMETOOLONG;
            break;
        case ERROR_NOT_SAME_DEVICE:
            errno = EXDEV;
            break;
        case ERROR_INVALID_FUNCTION:
        case ERROR_NOT_SUPPORTED:
            errno = ENOSYS;
            break;
        case ERROR_TOO_MANY_LINKS:
            errno = EMLINK;
            break;
        case ERROR_DIR_NOT_EMPTY:
            errno = ENOTEMPTY;
            break;
        case ERROR_DIRECTORY:
            errno = ENOTDIR;
            break;
        case ERROR_INVALID_HANDLE:
            errno = EBADF;
            break;
        case ERROR_BROKEN_PIPE:
            errno = EPIPE;
            break;
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
            errno = EIO;
            break;
        default:
            errno = EINVAL;
    }
    return -1;
}

}  // namespace win32

bool isAbsolutePath(const std::string& name) {
    if (!name.empty() && (name[0] == '/' || name[0] == '\\')) return true;
    const bool drive = name.size() >= 3 && name[1] == ':' &&
                       ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    return drive && (name[2] == '\\' || name[2] == '/');
}

}  // namespace os
