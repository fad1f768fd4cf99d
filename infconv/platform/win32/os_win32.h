// What the Windows implementation's files share: names as wide strings and
// system error codes as errno values.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace os::win32 {

// UTF-8 to UTF-16; a name that is no valid UTF-8 is read in the ANSI code page.
std::wstring widen(const std::string& text);
std::string narrow(const wchar_t* text, std::size_t length);
inline std::string narrow(const std::wstring& text) {
    return narrow(text.data(), text.size());
}
// A name for the wide calls: long names get the "\\?\" prefix that lifts
// the 260-character limit.
std::wstring widePath(const std::string& path);
// `name` looked up in the directory `directory` ("" for the current one).
std::string joinPath(const std::string& directory, const std::string& name);

// Sets errno from GetLastError() (or the given code) and returns -1.
int failWith(DWORD error = GetLastError());

}  // namespace os::win32
