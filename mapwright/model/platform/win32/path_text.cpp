#include "platform/path_text.h"

#include "platform/win32/wide_text.h"

namespace mw::platform {

std::filesystem::path pathOf(const std::string& name) {
    return widen(name);
}

std::string nameOf(const std::filesystem::path& path) {
    return narrow(path.c_str());
}

}  // namespace mw::platform
