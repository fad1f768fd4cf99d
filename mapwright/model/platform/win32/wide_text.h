#pragma once
// Names cross into the Win32 calls as UTF-16 and come back as UTF-8.

#include <string>

namespace mw::platform {

/// UTF-8 to UTF-16; a name that is no valid UTF-8 is read in the ANSI code page.
std::wstring widen(const std::string& text);
/// UTF-16 (null-terminated) to UTF-8.
std::string narrow(const wchar_t* text);

}  // namespace mw::platform
