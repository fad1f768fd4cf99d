#include "generate_slot_paths.h"

#include <filesystem>

#include "errors.h"

namespace mw::cli {

namespace fs = std::filesystem;

namespace {

// The last part of a path written on either kind of system.
std::string baseName(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

}  // namespace

std::vector<std::string> ResolveSlotPaths(MapProject& project, const std::string& projectPath) {
    std::vector<std::string> notes;
    const fs::path folder = fs::path(projectPath).parent_path();
    for (int i = 0; i < project.systemCount; ++i) {
        SystemSlot& slot = project.systems[static_cast<std::size_t>(i)];
        const std::string stored = slot.designFile.str();
        if (isFile(stored)) continue;
        const std::string name = baseName(stored);
        fs::path beside = folder / name;
        if (name.empty() || !isFile(beside))
            throw IoError(stored, "open",
                          "design file of system '" + slot.systemName.str() +
                              "' not found, nor as " + beside.string());
        // The slot holds at most 255 characters; fall back to a shorter form.
        std::string use = beside.string();
        if (use.size() > decltype(slot.designFile)::capacity) {
            std::error_code ec;
            use = fs::relative(beside, ec).string();
            if (ec || use.empty() || use.size() > decltype(slot.designFile)::capacity)
                throw IoError(beside.string(), "open", "path too long to use");
        }
        slot.designFile = use;
        notes.push_back("system '" + printableBytes(slot.systemName.view()) +
                        "': " + printableBytes(stored) + " not found, using " + use);
    }
    return notes;
}

}  // namespace mw::cli
