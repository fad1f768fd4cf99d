#include "platform/path_text.h"

namespace mw::platform {

std::filesystem::path pathOf(const std::string& name) {
    return name;
}

std::string nameOf(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace mw::platform
