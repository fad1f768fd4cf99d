#include "map/design_file_lookup.h"

#include <filesystem>

#include "common/errors.h"
#include "platform/path_text.h"
#include "platform/system_files.h"
#include "system/design_file_reader.h"

namespace mw {

namespace fs = std::filesystem;

namespace {

// The last part of a path written on either kind of system.
std::string baseName(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Asked of the system as the design file reader opens it: a stored name's
// bytes mean what they mean to the reader (on Windows std::filesystem reads
// narrow names otherwise).
bool isFile(const std::string& name) {
    return platform::kindAt(name, true) == platform::FileKind::Regular;
}

// The slot holds at most 255 characters; a longer path falls back to a
// relative form.
std::optional<std::string> slotForm(const fs::path& p) {
    constexpr std::size_t capacity = decltype(SystemSlot::designFile)::capacity;
    std::string use = platform::nameOf(p);
    if (use.size() <= capacity) return use;
    std::error_code ec;
    use = platform::nameOf(fs::relative(p, ec));
    if (ec || use.empty() || use.size() > capacity) return std::nullopt;
    return use;
}

}  // namespace

fs::path ProjectFolder(const std::string& projectPath) {
    if (projectPath.empty()) return {};
    const fs::path folder = platform::pathOf(projectPath).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

fs::path DesignFileBeside(const std::string& stored, const fs::path& projectFolder) {
    const std::string name = baseName(stored);
    if (name.empty()) return {};
    // "./alpha.sdf" reads as "alpha.sdf", as the project file's name was given.
    return (projectFolder / platform::pathOf(name)).lexically_normal();
}

std::optional<std::string> LocateDesignFileNear(const std::string& stored,
                                                const fs::path& projectFolder) {
    if (isFile(stored)) return stored;
    if (projectFolder.empty()) return std::nullopt;
    const fs::path beside = DesignFileBeside(stored, projectFolder);
    if (beside.empty() || !isFile(platform::nameOf(beside))) return std::nullopt;
    return slotForm(beside);
}

std::optional<std::string> LocateDesignFile(const std::string& stored,
                                            const std::string& projectPath) {
    return LocateDesignFileNear(stored, ProjectFolder(projectPath));
}

std::string DesignFileProblem(const std::string& stored, const fs::path& projectFolder) {
    if (stored.empty()) return "no design file is stored for the system";
    // The reader's own reason for the stored path: missing, not a regular file, ...
    std::string reason;
    try {
        DesignFileReader probe(stored);
        reason = printableBytes(stored) + ": not a regular file";
    } catch (const UserError& e) {
        reason = e.what();
    }
    const fs::path beside =
        projectFolder.empty() ? fs::path() : DesignFileBeside(stored, projectFolder);
    // The same place written another way ("./a.sdf", "C:/maps\\a.sdf") is not named twice.
    if (!beside.empty() && beside != platform::pathOf(stored).lexically_normal())
        reason += "; not beside the project file either (" +
                  printableBytes(platform::nameOf(beside)) + ")";
    return "the design file cannot be read: " + reason;
}

MapProjectRecord WithFoundDesignFiles(MapProjectRecord map, const fs::path& projectFolder) {
    for (SystemSlot& slot : map.systems) {
        if (slot.empty()) continue;
        if (const auto use = LocateDesignFileNear(slot.designFile.str(), projectFolder))
            slot.designFile = *use;
    }
    return map;
}

}  // namespace mw
